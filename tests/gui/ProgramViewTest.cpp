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

#include "GuiTestSupport.h"
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

    // Every list under its label holds the core's entries once, however many
    // times File New updates the view; the grid shows its headers and numbers.
    void formIsLaidOutOnce() {
        View().OnInitialUpdate();
        View().OnInitialUpdate();
        torvan::MemoryForm core;
        torvan::FrequencyLimits limits;
        torvan::DecodeImage(image_, torvan::ReadModelCatalog(torvan::IniStore(folder_.IniPath())),
                            core, limits);
        const auto labels = View().findChildren<QLabel*>();
        for (int i = 0; i < torvan::kSettingCount; ++i) {
            const auto setting = static_cast<Setting>(i);
            const QComboBox* combo = &View().Combo(setting);
            QStringList expected;
            for (int e = 0; e < core.List(setting).Count(); ++e) {
                expected << QString::fromStdString(core.List(setting).EntryText(e));
            }
            QCOMPARE(Items(*combo), expected);
            QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const QLabel* label) {
                return label->buddy() == combo &&
                       label->text().toStdString() == SettingLabel(setting);
            }));
        }
        QCOMPARE(Items(View().Combo(Setting::ScanMode)), (QStringList{"TO", "CO", "SE"}));
        QCOMPARE(View().Combo(Setting::PriorityChannel).count(), 129);
        const CMSFlexGrid& grid = View().ChannelGrid();
        QCOMPARE(grid.Rows(), 129);
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), "Rx Frequency");
        QCOMPARE(grid.model()->headerData(9, Qt::Horizontal).toString(), "Name");
        QCOMPARE(grid.model()->headerData(127, Qt::Vertical).toString(), "128");
    }

    void decodesAndEncodesLikeTheCore_data() {
        QTest::addColumn<int>("seed");  // 0: the crafted image, -1: all zero, else random bytes
        QTest::newRow("crafted") << 0;
        QTest::newRow("random bytes") << 1;
        QTest::newRow("all zero") << -1;
    }

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
        View().OnInitialUpdate();
        torvan::MemoryForm form;
        torvan::FrequencyLimits limits;
        torvan::DecodeImage(image_, torvan::ReadModelCatalog(torvan::IniStore(folder_.IniPath())),
                            form, limits);
        QCOMPARE(limits_, limits);
        for (int i = 0; i < torvan::kSettingCount; ++i) {
            const auto setting = static_cast<Setting>(i);
            QCOMPARE(View().List(setting).Selected(), form.List(setting).Selected());
        }
        QCOMPARE(View().PasswordEdit().text().toStdString(), form.PasswordText());
        for (int row = 1; row < torvan::CellTable::kRows; ++row) {
            for (int col = 1; col < torvan::CellTable::kCols; ++col) {
                QCOMPARE(View().ChannelGrid().TextMatrix(row, col).toStdString(),
                         form.Grid().TextMatrix(row, col));
            }
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

    // At its natural size the grid's columns have their set-up widths; wider
    // or narrower, they share the room in those proportions, all in view.
    void gridColumnsShareTheWidth_data() {
        QTest::addColumn<QSize>("size");  // invalid: the form's natural size
        QTest::newRow("natural size") << QSize();
        QTest::newRow("1024 x 768 window") << QSize(1000, 640);
        QTest::newRow("1920 x 1080 window") << QSize(1900, 960);
    }

    void gridColumnsShareTheWidth() {
        QFETCH(QSize, size);
        CMSFlexGrid& grid = View().ChannelGrid();
        const int twips = grid.TwipsPerPixelX();
        const int unit = CMSFlexGrid().ColWidth(0);
        std::vector<int> design;
        for (const int tenths : {5, 12, 12, 13, 13, 10, 10, 10, 10, 10, 12}) {
            design.push_back(unit * tenths / 10 / twips);
        }
        const int designTotal = std::accumulate(design.begin(), design.end(), 0);
        View().resize(size.isValid() ? size : View().sizeHint());
        View().show();
        QVERIFY(QTest::qWaitForWindowExposed(&View()));
        const int room = grid.viewport()->width() + grid.verticalHeader()->width();
        if (!size.isValid()) {
            QCOMPARE(room, designTotal);
        }
        QStringList off;
        int total = 0;
        for (int col = 0; col < 11; ++col) {
            const int px = grid.ColWidth(col) / twips;
            const double expected = design.at(std::size_t(col)) * double(room) / designTotal;
            if (std::abs(px - expected) > 1.0) {
                off << QStringLiteral("%1: %2 for %3").arg(col).arg(px).arg(expected);
            }
            total += px;
        }
        QCOMPARE(off, QStringList());
        QCOMPARE(total, room);
        QVERIFY(!grid.horizontalScrollBar()->isVisible());
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

QTEST_MAIN(ProgramViewTest)
#include "ProgramViewTest.moc"
