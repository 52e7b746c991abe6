#pragma once
// A fake printer installed for the test, a message presenter that records what would be shown, and a log
// that interleaves the printer's calls with the print events.

#include "printing/GmPrinter.h"

#include "platform/core/MessagePresenter.h"
#include "platform/printer/CurrentPrinter.h"
#include "platform/printer/FakePrinterDevice.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class RecordingPresenter : public plat::MessagePresenter {
public:
    explicit RecordingPresenter(std::vector<std::string>& shown) : m_shown(shown) {}
    void ShowMessage(const std::string& text) override { m_shown.push_back(text); }
    void ShowError(const std::string& text) override { m_shown.push_back("error: " + text); }

private:
    std::vector<std::string>& m_shown;
};

class PrintingTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_previousPresenter = plat::InstallMessagePresenter(std::make_unique<RecordingPresenter>(Shown));
    }

    void TearDown() override
    {
        plat::InstallPrinter(std::move(m_previousDevice));
        plat::InstallMessagePresenter(std::move(m_previousPresenter));
    }

    // Installs device; Fake points to it while the test runs.
    void Install(std::unique_ptr<plat::FakePrinterDevice> device)
    {
        Fake = device.get();
        auto previous = plat::InstallPrinter(std::move(device));
        if (!m_previousDevice)
            m_previousDevice = std::move(previous);
    }

    void InstallOnePrinter() { Install(plat::FakePrinterDevice::WithOnePrinter()); }

    // Logs the printer's events into Log, after the device calls made before each of them.
    void Watch(TGmPrinter& printer)
    {
        printer.BeforePrint.Set([this](plat::Object*) { Note("BeforePrint"); });
        printer.AfterPrint.Set([this](plat::Object*) { Note("AfterPrint"); });
        printer.OnAbortPrint.Set([this](plat::Object*) { Note("OnAbortPrint"); });
        printer.OnChangePrinter.Set([this](plat::Object*) { Note("OnChangePrinter"); });
    }

    // Log with the device calls made since the last event appended.
    std::vector<std::string> FullLog()
    {
        SyncCalls();
        return Log;
    }

    void Note(const std::string& event)
    {
        SyncCalls();
        Log.push_back(event);
    }

    plat::FakePrinterDevice* Fake = nullptr;
    std::vector<std::string> Shown;
    std::vector<std::string> Log;

private:
    void SyncCalls()
    {
        if (!Fake)
            return;
        const auto& calls = Fake->Calls();
        for (; m_callsSeen < calls.size(); ++m_callsSeen)
            Log.push_back(calls[m_callsSeen]);
    }

    size_t m_callsSeen = 0;
    std::unique_ptr<plat::PrinterDevice> m_previousDevice;
    std::unique_ptr<plat::MessagePresenter> m_previousPresenter;
};
