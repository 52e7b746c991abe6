#include "ModalProbe.h"

#include "APropos_Frm.h"

#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QPushButton>
#include <QTest>

namespace {

constexpr uint64_t MiB = 1024ull * 1024;

// Records what the desktop would have been asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

void Move(QWidget* over, QPoint at = {2, 2})
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), over->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(over, &move);
}

void Press(QWidget* on, Qt::MouseButton button)
{
    QTest::mousePress(on, button, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseRelease(on, button, Qt::NoModifier, QPoint(2, 2));
}

} // namespace

struct FiguresCase {
    const char* name;
    TMemoryStatus memory;
    QLocale::Language language;
    std::function<QString(const QLocale&)> total;
    const char* load;
};
VANTRIC_PRINTS_NAME(FiguresCase)

class AboutFiguresTest : public testing::TestWithParam<FiguresCase> {};

TEST_P(AboutFiguresTest, FormatsTheMemoryForTheUsersLocale)
{
    const QLocale locale(GetParam().language);
    TAPropos_Frm about(GetParam().memory, locale);
    EXPECT_EQ(about.M1->text(), GetParam().total(locale));
    EXPECT_EQ(about.M2->text(), GetParam().load);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, AboutFiguresTest,
    testing::Values(
        FiguresCase{"HalfAGigabyteInFrench", {512 * MiB, 37}, QLocale::French,
                    [](const QLocale& l) { return "524" + l.groupSeparator() + "288 KB"; }, "37 %"},
        FiguresCase{"HalfAGigabyteInEnglish", {512 * MiB, 100}, QLocale::English,
                    [](const QLocale&) { return QStringLiteral("524,288 KB"); }, "100 %"},
        // 6 GiB does not fit 32 bits: the total is not wrapped.
        FiguresCase{"SixGigabytes", {6 * 1024 * MiB, 0}, QLocale::English,
                    [](const QLocale&) { return QStringLiteral("6,291,456 KB"); }, "0 %"},
        FiguresCase{"HalfKilobyteRoundsUp", {1536, 5}, QLocale::English,
                    [](const QLocale&) { return QStringLiteral("2 KB"); }, "5 %"},
        FiguresCase{"LessThanHalfRoundsDown", {1535, 5}, QLocale::English,
                    [](const QLocale&) { return QStringLiteral("1 KB"); }, "5 %"}),
    [](const testing::TestParamInfo<FiguresCase>& info) { return std::string(info.param.name); });

TEST(AboutBox, IsLaidOutAsDesigned)
{
    TAPropos_Frm about({512 * MiB, 37}, QLocale::c());
    EXPECT_EQ(about.windowTitle(), "A propos...");
    EXPECT_EQ(about.size(), QSize(399, 253));
    EXPECT_EQ(about.minimumSize(), about.maximumSize()) << "not resizable";
    EXPECT_EQ(about.Panel1->geometry(), QRect(8, 8, 384, 192));
    EXPECT_EQ(about.Panel2->geometry(), QRect(5, 5, 82, 81));
    EXPECT_EQ(about.Panel2->palette().color(QPalette::Window), QColor(0x92, 0xC9, 0xC9));
    EXPECT_EQ(about.ProductName->text(), "Vantric 2.00");
    EXPECT_TRUE(about.ProductName->font().bold());
    EXPECT_EQ(about.Registered->text(), QString(QChar(0xAE)));
    EXPECT_TRUE(QFontMetrics(about.Registered->font()).inFont(QChar(0xAE)));
    EXPECT_EQ(about.Revision->text(), "Rev : 02");
    EXPECT_TRUE(about.Credit->font().underline());
    EXPECT_EQ(about.Memoire->title(), "Mémoire : ");
    EXPECT_EQ(about.Memoire->geometry(), QRect(219, 38, 113, 57));
    EXPECT_EQ(about.M1->pos(), QPoint(50, 20));
    EXPECT_EQ(about.M2->pos(), QPoint(50, 36));
    EXPECT_EQ(about.Label3->text(), "Logiciel de Vantric.");
    EXPECT_TRUE(about.Label3->wordWrap());
    EXPECT_EQ(about.OKButton->geometry(), QRect(163, 215, 75, 25));
    EXPECT_TRUE(about.OKButton->isDefault());
}

TEST(AboutBox, TodaysMemoryTotalsAreNotCutOff)
{
    TAPropos_Frm about({256ull * 1024 * MiB, 37}, QLocale(QLocale::French)); // 256 GiB
    EXPECT_EQ(about.M1->text(), "268" + QLocale(QLocale::French).groupSeparator() + "435" +
                                    QLocale(QLocale::French).groupSeparator() + "456 KB");
    EXPECT_TRUE(about.Memoire->rect().contains(about.M1->geometry())) << "the figure shows in full";
    EXPECT_TRUE(about.Panel1->rect().contains(about.Memoire->geometry()));

    TAPropos_Frm small({512 * MiB, 37}, QLocale(QLocale::French));
    EXPECT_EQ(small.Memoire->width(), 113) << "a short figure keeps the designed width";
}

TEST(AboutBox, PlaysItsAnimationContinuously)
{
    TAPropos_Frm about({512 * MiB, 37}, QLocale::c());
    ASSERT_TRUE(about.Movie->isValid());
    EXPECT_GT(about.Movie->frameCount(), 1);
    EXPECT_EQ(about.Movie->state(), QMovie::Running);
    EXPECT_EQ(about.Movie->currentImage().pixelColor(0, 0), QColor(0x92, 0xC9, 0xC9))
        << "the animation's background is the panel's colour";
    EXPECT_EQ(about.Animation->movie(), about.Movie);
}

TEST(AboutBox, ShowsTheSameFiguresEachTimeItOpens)
{
    TAPropos_Frm about; // figures read from this computer
    const QString total = about.M1->text();
    const QString load = about.M2->text();
    EXPECT_TRUE(total.endsWith(" KB"));
    EXPECT_TRUE(load.endsWith(" %"));
    for (int shown = 0; shown < 2; ++shown) {
        ModalProbe probe;
        probe.Arm([&](QWidget*) {
            EXPECT_EQ(about.M1->text(), total);
            EXPECT_EQ(about.M2->text(), load);
        }, [](QWidget* w) { static_cast<TAPropos_Frm*>(w)->OKButton->click(); });
        EXPECT_EQ(about.exec(), QDialog::Accepted);
        EXPECT_TRUE(*probe.seen);
    }
}

TEST(AboutBox, LinksTurnBoldUnderTheMouseUntilItCrossesThePanel)
{
    TAPropos_Frm about({512 * MiB, 37}, QLocale::c());
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));

    Move(about.www);
    EXPECT_TRUE(about.www->font().bold());
    EXPECT_FALSE(about.Mail->font().bold());

    Move(about.Mail);
    EXPECT_TRUE(about.Mail->font().bold());
    EXPECT_TRUE(about.www->font().bold()) << "only the panel's free area turns them back";

    Move(about.ProductName);
    EXPECT_TRUE(about.www->font().bold()) << "another label is not the free area";

    Move(about.Panel1, QPoint(120, 180));
    ASSERT_EQ(about.Panel1->childAt(QPoint(120, 180)), nullptr);
    EXPECT_FALSE(about.www->font().bold());
    EXPECT_FALSE(about.Mail->font().bold());
}

TEST(AboutBox, AnyMouseButtonOpensTheLinks)
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "Open");
    QDesktopServices::setUrlHandler("mailto", &recorder, "Open");
    {
        TAPropos_Frm about({512 * MiB, 37}, QLocale::c());
        about.show();
        Press(about.www, Qt::RightButton);
        Press(about.Mail, Qt::LeftButton);
        Press(about.www, Qt::MiddleButton);
        EXPECT_TRUE(about.isVisible());
    }
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("mailto");

    EXPECT_EQ(recorder.opened, (QList<QUrl>{QUrl(TAPropos_Frm::WebAddress),
                                            QUrl("mailto:" + TAPropos_Frm::MailAddress),
                                            QUrl(TAPropos_Frm::WebAddress)}));
}

#include "AboutBoxTest.moc"
