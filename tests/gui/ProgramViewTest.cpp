#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <numeric>
#include <random>

#include "GuiTestMain.h"
#include "GuiTestSupport.h"
#include "RadioTestSupport.h"
#include "dialogs/CToneDlg.h"
#include "editor/CMSFlexGrid.h"
#include "editor/CProgramView.h"
#include "model/ChannelCodec.h"

using torvan::Setting;

namespace {

QStringList Items(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) {
        items << combo.itemText(i);
    }
    return items;
}

}  // namespace

// The settings panel and the channel grid over the core's image codecs.
class ProgramViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        limits_ = {};
        folder_.WriteIni(gui_test::kProfiles);
        Start();
    }

    void cleanup() { view_.reset(); }

    void decodesAndEncodesLikeTheCore_data() {
        QTest::addColumn<int>("seed");  // 0: the crafted image, -1: all zero, else random bytes
        QTest::newRow("crafted") << 0;
        QTest::newRow("random bytes") << 1;
        QTest::newRow("all zero") << -1;
    }

    // However often File New updates the view, every list under its label
    // holds the core's entries once; the view shows and stores an image as
    // the core's codecs do.
    void decodesAndEncodesLikeTheCore() {
        QFETCH(int, seed);
        if (seed == 0) {
            image_ = gui_test::CraftedImage(folder_.IniPath());
        } else {
            std::mt19937 random(static_cast<unsigned>(seed));
            for (auto& byte : image_.bytes()) {
                byte = seed < 0 ? 0 : static_cast<std::uint8_t>(random() & 0xFFU);
            }
        }
        View().OnInitialUpdate();  // as File New does, again
        View().OnInitialUpdate();
        torvan::MemoryForm form;
        torvan::FrequencyLimits limits;
        torvan::DecodeImage(image_, torvan::ReadModelCatalog(torvan::IniStore(folder_.IniPath())),
                            form, limits);
        QCOMPARE(limits_, limits);
        QCOMPARE(gui_test::FormTexts(View()), gui_test::FormTexts(form));
        const auto labels = View().findChildren<QLabel*>();
        for (int i = 0; i < torvan::kSettingCount; ++i) {
            const auto setting = static_cast<Setting>(i);
            const QComboBox* combo = &View().Combo(setting);
            QStringList entries;
            for (int e = 0; e < form.List(setting).Count(); ++e) {
                entries << QString::fromStdString(form.List(setting).EntryText(e));
            }
            QCOMPARE(Items(*combo), entries);
            QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const QLabel* label) {
                return label->buddy() == combo &&
                       label->text().toStdString() == SettingLabel(setting);
            }));
        }
        torvan::MemoryImage expected = image_;
        torvan::EncodeImage(form, limits, expected);
        View().EncodeImage();
        QCOMPARE(gui_test::ToBytes(image_), gui_test::ToBytes(expected));
    }

    // A pick in a list sets the limits; a new document takes those of the
    // range it shows.
    void userPicksSetTheLimits() {
        QComboBox& ranges = View().Combo(Setting::FrequencyRange);
        ranges.setCurrentIndex(1);
        QCOMPARE(limits_, (torvan::FrequencyLimits{14400000, 14800000}));
        image_.ResetToNewDocument();
        View().OnInitialUpdate();
        QCOMPARE(ranges.currentIndex(), 0);
        QCOMPARE(limits_, (torvan::FrequencyLimits{13600000, 17400000}));
        View().Combo(Setting::Model).setCurrentIndex(1);
        QCOMPARE(Items(ranges), QStringList{QStringLiteral("400-470MHz")});
        QCOMPARE(limits_, (torvan::FrequencyLimits{40000000, 47000000}));
    }

    // Wider or narrower than the form's natural size, the grid's columns
    // share the room in their natural proportions, all eleven in view.
    void gridColumnsShareTheWidth() {
        CMSFlexGrid& grid = View().ChannelGrid();
        const auto widths = [&grid] {
            std::vector<double> px;
            for (int col = 0; col < 11; ++col) {
                px.push_back(grid.ColWidth(col) / grid.TwipsPerPixelX());
            }
            return px;
        };
        const auto room = [&grid] {
            return grid.viewport()->width() + grid.verticalHeader()->width();
        };
        View().resize(View().sizeHint());
        View().show();
        QVERIFY(QTest::qWaitForWindowExposed(&View()));
        const std::vector<double> natural = widths();
        const double naturalRoom = room();
        for (const QSize size : {QSize(1000, 640), QSize(1900, 960)}) {  // 1024 and 1920 px
            View().resize(size);
            QCoreApplication::processEvents();  // the layout reaches the grid
            const std::vector<double> px = widths();
            QCOMPARE(std::accumulate(px.begin(), px.end(), 0.0), double(room()));
            for (std::size_t col = 0; col < px.size(); ++col) {
                QVERIFY2(std::abs(px[col] - natural[col] * room() / naturalRoom) <= 1.0,
                         qPrintable(QString::number(col)));
            }
            QTRY_VERIFY(!grid.horizontalScrollBar()->isVisible());
        }
    }

    void passwordTakesSixDigits() {
        QTest::keyClicks(&View().PasswordEdit(), QStringLiteral("1a2-3 .45678"));
        QCOMPARE(View().PasswordEdit().text(), QStringLiteral("123456"));
        View().EncodeImage();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&image_[torvan::offset::kPassword]), 6),
                 QByteArray("123456"));
    }

    void printsOnePage() {
        View().resize(900, 600);
        const QString pdf = folder_.File(QStringLiteral("form.pdf"));
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        View().Print(printer);
        const QString content = QString::fromLatin1(folder_.Read(QStringLiteral("form.pdf")));
        QVERIFY(content.startsWith(QStringLiteral("%PDF")));
        QCOMPARE(int(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)")))),
                 1);
    }

private:
    CProgramView& View() { return *view_; }
    void Start() {
        view_ = std::make_unique<CProgramView>(image_, limits_, folder_.IniPath(), PickTone);
        image_.ResetToNewDocument();
        view_->OnInitialUpdate();
    }

    gui_test::TestFolder folder_;
    torvan::MemoryImage image_;
    torvan::FrequencyLimits limits_;
    std::unique_ptr<CProgramView> view_;
};

GUI_TEST_MAIN(ProgramViewTest)
#include "ProgramViewTest.moc"
