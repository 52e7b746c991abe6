#include "ModalProbe.h"

#include "platform/ui/FileDialogs.h"

#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTemporaryDir>

struct FilterCase {
    const char* name;
    QString filter;
    QStringList expected;
};
VANTRIC_PRINTS_NAME(FilterCase)

class NameFiltersTest : public testing::TestWithParam<FilterCase> {};

TEST_P(NameFiltersTest, BecomeQtNameFilters)
{
    EXPECT_EQ(plat::NameFiltersFromFilterText(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, NameFiltersTest,
    testing::Values(
        FilterCase{"DescriptionNamesItsPatterns", "Bitmaps (*.bmp)|*.bmp", {"Bitmaps (*.bmp)"}},
        FilterCase{"TwoFiltersInOrder", "Bitmaps (*.bmp)|*.bmp|Jpeg (*.jpg)|*.jpg",
                   {"Bitmaps (*.bmp)", "Jpeg (*.jpg)"}},
        FilterCase{"PatternsAddedToAPlainDescription", "Images|*.bmp;*.jpg", {"Images (*.bmp *.jpg)"}},
        FilterCase{"DanglingDescriptionIgnored", "Bitmaps (*.bmp)|*.bmp|Jpeg", {"Bitmaps (*.bmp)"}},
        FilterCase{"Empty", "", {}}),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

TEST(SaveDialog, IsConfiguredAsDesigned)
{
    plat::SaveDialog dialog;
    dialog.DefaultExt = "*.bmp";
    dialog.Filter = "Bitmaps (*.bmp)|*.bmp|Jpeg (*.jpg)|*.jpg";
    dialog.OverwritePrompt = true;

    std::unique_ptr<QFileDialog> qt(dialog.CreateDialog(nullptr));
    EXPECT_EQ(qt->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(qt->defaultSuffix(), "bmp") << "a pattern as default extension names its suffix";
    EXPECT_EQ(qt->nameFilters(), (QStringList{"Bitmaps (*.bmp)", "Jpeg (*.jpg)"}));
    EXPECT_EQ(qt->selectedNameFilter(), "Bitmaps (*.bmp)");
    EXPECT_FALSE(qt->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(qt->isSizeGripEnabled());
}

TEST(OpenDialog, OpensExistingFilesOnly)
{
    plat::OpenDialog dialog;
    dialog.Filter = "Bitmaps (*.bmp)|*.bmp";
    std::unique_ptr<QFileDialog> qt(dialog.CreateDialog(nullptr));
    EXPECT_EQ(qt->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(qt->fileMode(), QFileDialog::ExistingFile);
}

TEST(SaveDialog, ExecuteReportsTheChosenNameAndFilter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    plat::SaveDialog dialog;
    dialog.Filter = "Bitmaps (*.bmp)|*.bmp|Jpeg (*.jpg)|*.jpg";
    dialog.InitialDir = dir.path();

    ModalProbe probe;
    probe.Arm({}, [&](QWidget* modal) {
        auto* qt = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(qt, nullptr);
        qt->selectNameFilter("Jpeg (*.jpg)");
        qt->selectFile(dir.filePath("copie.jpg"));
        static_cast<QDialog*>(qt)->accept();
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, dir.filePath("copie.jpg"));
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST(OpenDialog, CancelLeavesTheNameAsItWas)
{
    plat::OpenDialog dialog;
    dialog.FileName = "avant.bmp";
    ModalProbe probe;
    probe.Arm({}); // rejects
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(*probe.seen);
    EXPECT_EQ(dialog.FileName, "avant.bmp");
}
