#pragma once
// A document on a fake printer: the printer installed for the test (A4 at 300 pixels per inch, or with
// chosen unprintable margins), a presenter that records message boxes, the fixed-cell font engine, and a
// log of the page list's hooks in the order they are raised.

#include "pages/GmPageList.h"

#include "platform/core/MessagePresenter.h"
#include "platform/graphics/Bitmap.h"
#include "platform/printer/CurrentPrinter.h"
#include "platform/printer/FakePrinterDevice.h"
#include "platform/surface/FontEngine.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

class RecordingPresenter : public plat::MessagePresenter {
public:
    explicit RecordingPresenter(Lines& shown) : m_shown(shown) {}
    void ShowMessage(const std::string& text) override { m_shown.push_back(text); }
    void ShowError(const std::string& text) override { m_shown.push_back("error: " + text); }

private:
    Lines& m_shown;
};

class PagesTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_previousPresenter = plat::InstallMessagePresenter(std::make_unique<RecordingPresenter>(Shown));
        m_previousEngine = plat::InstallFontEngine(nullptr); // the fixed cells: 0.6 x 1.15 of the pixel height
        auto device = plat::FakePrinterDevice::WithOnePrinter();
        Fake = device.get();
        m_previousDevice = plat::InstallPrinter(std::move(device));
    }

    void TearDown() override
    {
        Document.reset();
        plat::InstallPrinter(std::move(m_previousDevice));
        plat::InstallFontEngine(std::move(m_previousEngine));
        plat::InstallMessagePresenter(std::move(m_previousPresenter));
    }

    // Replaces the printer before the document is made: no printer at all, or one whose unprintable left
    // and top margins are the given pixels at 300 per inch (right and bottom the same as left and top).
    void InstallNoPrinter()
    {
        auto device = std::make_unique<plat::FakePrinterDevice>();
        Fake = device.get();
        plat::InstallPrinter(std::move(device));
    }
    void InstallPrinterWithMargins(int left, int top)
    {
        auto device = plat::FakePrinterDevice::WithOnePrinter();
        plat::DeviceMetrics& m = device->Printer(0).Portrait;
        m.PhysicalOffsetX = left;
        m.PhysicalOffsetY = top;
        m.HorzRes = m.PhysicalWidth - 2 * left;
        m.VertRes = m.PhysicalHeight - 2 * top;
        Fake = device.get();
        plat::InstallPrinter(std::move(device));
    }

    // The document as its owner makes it: the list, then its first page.
    TGmPageList& MakeDocument(int pages = 1)
    {
        Document = std::make_unique<TGmPageList>();
        for (int i = 0; i < pages; ++i)
            Document->NewPage();
        return *Document;
    }

    // Logs every hook of the list into Hooks by name; Mark adds a separator.
    void Watch(TGmPageList& list)
    {
        auto note = [this](const char* name) { return [this, name](plat::Object*) { Hooks.push_back(name); }; };
        list.OnCleared.Set(note("Cleared"));
        list.OnHeaderFooterChange.Set(note("HeaderFooter"));
        list.OnPageAdded.Set(note("PageAdded"));
        list.OnOrientationChange.Set(note("Orientation"));
        list.OnPageContentChange.Set(note("Content"));
        list.OnMarginsChange.Set(note("Margins"));
        list.OnPagesChange.Set(note("Pages"));
        list.OnCurrentPageChange.Set(note("CurrentPage"));
        list.OnPaperSizeChange.Set(note("PaperSize"));
        list.OnPrintProgress.Set([this](plat::Object*, int printed, int total) {
            Hooks.push_back("Progress " + std::to_string(printed) + "/" + std::to_string(total));
        });
    }
    void Mark() { Hooks.push_back("|"); }

    // A picture of width x height pixels whose bytes differ by Seed, so that pictures do not share storage.
    static plat::Bitmap Picture(int width, int height, int seed = 0)
    {
        plat::Bitmap bitmap(width, height, plat::PixelFormat::Bit24);
        if (seed != 0 && width > 0 && height > 0)
            bitmap.SetPixel(0, 0, static_cast<plat::Color>(seed));
        return bitmap;
    }

    plat::FakePrinterDevice* Fake = nullptr;
    std::unique_ptr<TGmPageList> Document;
    Lines Hooks;
    Lines Shown;

private:
    std::unique_ptr<plat::MessagePresenter> m_previousPresenter;
    std::unique_ptr<plat::FontEngine> m_previousEngine;
    std::unique_ptr<plat::PrinterDevice> m_previousDevice;
};
