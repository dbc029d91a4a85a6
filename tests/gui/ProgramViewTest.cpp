#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <random>

#include "GuiTestSupport.h"
#include "editor/CMSFlexGrid.h"
#include "editor/CProgramView.h"
#include "editor/ComboChoiceList.h"
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

class ProgramViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listAdapterActsLikeAList();
    void listsAreFilledOnce_data();
    void listsAreFilledOnce();
    void everyControlHasItsLabel();
    void gridIsLaidOutForTheChannels();
    void showsWhatTheCoreDecodes_data();
    void showsWhatTheCoreDecodes();
    void encodesWhatTheCoreEncodes_data();
    void encodesWhatTheCoreEncodes();
    void craftedImageShowsItsValues();
    void userPicksSetTheLimits();
    void decodingLeavesTheLimitsToTheBand();
    void oddProfilesLeaveTheLimits();
    void missingProgramIniIsCreatedEmpty();
    void passwordTakesDigitsOnly_data();
    void passwordTakesDigitsOnly();
    void printsOnePage();

private:
    CProgramView& View() { return *view_; }
    void Start(const QByteArray& ini = gui_test::kProfiles) {
        folder_.WriteIni(ini);
        view_ = std::make_unique<CProgramView>(image_, limits_, folder_.IniPath());
        image_.ResetToNewDocument();
        view_->OnInitialUpdate();
    }
    // 0: the crafted image, -1: all zero, else random bytes from the seed.
    void FillImage(int seed) {
        if (seed == 0) {
            image_ = gui_test::CraftedImage(folder_.IniPath());
        } else if (seed < 0) {
            image_.bytes().fill(0x00);
        } else {
            std::mt19937 random(static_cast<unsigned>(seed));
            for (auto& byte : image_.bytes()) {
                byte = static_cast<std::uint8_t>(random() & 0xFFU);
            }
        }
    }
    // The settings and cells the core's own decode shows in memory.
    torvan::MemoryForm CoreDecode() {
        torvan::MemoryForm form;
        torvan::FrequencyLimits limits = limits_;
        torvan::DecodeImage(image_, torvan::IniStore(folder_.IniPath()), form, limits);
        return form;
    }

    gui_test::TestFolder folder_;
    torvan::MemoryImage image_;
    torvan::FrequencyLimits limits_;
    std::unique_ptr<CProgramView> view_;
};

void ProgramViewTest::init() {
    limits_ = {};
}

void ProgramViewTest::cleanup() {
    view_.reset();
}

void ProgramViewTest::listAdapterActsLikeAList() {
    QComboBox combo;
    ComboChoiceList list(&combo);
    QSignalSpy changes(&combo, &QComboBox::currentIndexChanged);
    list.Add("a");
    list.Add("b");
    QCOMPARE(list.Selected(), torvan::ChoiceList::kNone);
    list.Select(1);
    QCOMPARE(list.SelectedText(), "b");
    list.Select(2);
    QCOMPARE(list.Selected(), torvan::ChoiceList::kNone);
    list.SelectByPrefix("A", false);
    QCOMPARE(list.Selected(), 0);
    list.Reset();
    QCOMPARE(list.Count(), 0);
    // The codecs' changes are not the user's picks.
    QCOMPARE(changes.count(), 0);
}

void ProgramViewTest::listsAreFilledOnce_data() {
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    const auto row = [](Setting s, int count, const char* first, const char* last) {
        QTest::newRow(torvan::SettingLabel(s).data())
            << static_cast<int>(s) << count << QString(first) << QString(last);
    };
    row(Setting::LockChannelMode, 2, "On", "Off");
    row(Setting::Tot, 11, "Off", "300");
    row(Setting::PriorityChannel, 129, "None", "128");
    row(Setting::VoxLevel, 10, "Off", "9");
    row(Setting::BatterySave, 2, "On", "Off");
    row(Setting::Sql, 10, "0", "9");
    row(Setting::Beep, 2, "On", "Off");
    row(Setting::Ste, 4, "Off", "240 phase shift");
    row(Setting::EndRoger, 11, "Off", "10");
    row(Setting::ScanMode, 3, "TO", "SE");
    row(Setting::FrequencyMode, 3, "Channel", "Memory");
    row(Setting::Model, 2, "Alpha", "Beta");
    row(Setting::FrequencyRange, 2, "136-174MHz", "144-148MHz");
}

void ProgramViewTest::listsAreFilledOnce() {
    QFETCH(int, setting);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    Start();
    // A second and third File New or Open update the same view again.
    View().OnInitialUpdate();
    View().OnInitialUpdate();
    const QStringList items = Items(View().Combo(static_cast<Setting>(setting)));
    QCOMPARE(items.size(), count);
    QCOMPARE(items.first(), first);
    QCOMPARE(items.last(), last);
    QCOMPARE(QSet<QString>(items.begin(), items.end()).size(), count);
}

void ProgramViewTest::everyControlHasItsLabel() {
    Start();
    for (int i = 0; i < torvan::kSettingCount; ++i) {
        const auto setting = static_cast<Setting>(i);
        QWidget* control = &View().Combo(setting);
        const auto labels = View().findChildren<QLabel*>();
        const auto label = std::find_if(labels.begin(), labels.end(),
                                        [&](QLabel* l) { return l->buddy() == control; });
        QVERIFY2(label != labels.end(), torvan::SettingLabel(setting).data());
        QCOMPARE((*label)->text().toStdString(), torvan::SettingLabel(setting));
    }
    const auto labels = View().findChildren<QLabel*>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [&](QLabel* l) {
        return l->buddy() == &View().PasswordEdit() && l->text() == QStringLiteral("Password");
    }));
}

void ProgramViewTest::gridIsLaidOutForTheChannels() {
    Start();
    View().OnInitialUpdate();
    CMSFlexGrid& grid = View().ChannelGrid();
    QCOMPARE(grid.Rows(), 129);
    QCOMPARE(grid.Cols(), 11);
    QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("Rx Frequency"));
    QCOMPARE(grid.TextMatrix(0, 10), QStringLiteral("Name"));
    QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(grid.TextMatrix(128, 0), QStringLiteral("128"));
    const int unit = grid.ColWidth(5);
    const int tpp = grid.TwipsPerPixelX();
    QVERIFY(qAbs(grid.ColWidth(0) - unit / 2) <= tpp);
    QVERIFY(qAbs(grid.ColWidth(1) - unit * 12 / 10) <= tpp);
    QVERIFY(qAbs(grid.ColWidth(3) - unit * 13 / 10) <= tpp);
    QVERIFY(qAbs(grid.ColWidth(10) - unit * 12 / 10) <= tpp);
}

void ProgramViewTest::showsWhatTheCoreDecodes_data() {
    QTest::addColumn<int>("seed");
    QTest::newRow("crafted") << 0;
    QTest::newRow("random bytes 1") << 1;
    QTest::newRow("random bytes 2") << 2;
    QTest::newRow("all zero") << -1;
}

void ProgramViewTest::showsWhatTheCoreDecodes() {
    QFETCH(int, seed);
    Start();
    FillImage(seed);
    View().OnInitialUpdate();
    torvan::MemoryForm expected = CoreDecode();
    for (int i = 0; i < torvan::kSettingCount; ++i) {
        const auto setting = static_cast<Setting>(i);
        QCOMPARE(View().List(setting).Selected(), expected.List(setting).Selected());
        QCOMPARE(View().List(setting).SelectedText(), expected.List(setting).SelectedText());
    }
    QCOMPARE(View().PasswordEdit().text().toStdString(), expected.PasswordText());
    for (int row = 1; row < torvan::CellTable::kRows; ++row) {
        for (int col = 1; col < torvan::CellTable::kCols; ++col) {
            QCOMPARE(View().ChannelGrid().TextMatrix(row, col).toStdString(),
                     expected.Grid().TextMatrix(row, col));
        }
    }
}

void ProgramViewTest::encodesWhatTheCoreEncodes_data() {
    showsWhatTheCoreDecodes_data();
}

void ProgramViewTest::encodesWhatTheCoreEncodes() {
    QFETCH(int, seed);
    Start();
    FillImage(seed);
    View().OnInitialUpdate();
    torvan::MemoryForm form = CoreDecode();
    torvan::MemoryImage expected = image_;
    torvan::EncodeImage(form, limits_, expected);
    View().EncodeImage();
    QCOMPARE(gui_test::ToBytes(image_), gui_test::ToBytes(expected));
}

void ProgramViewTest::craftedImageShowsItsValues() {
    Start();
    image_ = gui_test::CraftedImage(folder_.IniPath());
    View().OnInitialUpdate();
    const auto shown = [&](Setting s) { return View().Combo(s).currentText(); };
    QCOMPARE(shown(Setting::Model), QStringLiteral("Alpha"));
    QCOMPARE(shown(Setting::FrequencyRange), QStringLiteral("144-148MHz"));
    QCOMPARE(shown(Setting::FrequencyMode), QStringLiteral("Memory"));
    QCOMPARE(shown(Setting::ScanMode), QStringLiteral("SE"));
    QCOMPARE(shown(Setting::Tot), QStringLiteral("120"));
    QCOMPARE(shown(Setting::PriorityChannel), QStringLiteral("77"));
    QCOMPARE(shown(Setting::Ste), QStringLiteral("120  phase shift"));
    QCOMPARE(shown(Setting::EndRoger), QStringLiteral("10"));
    QCOMPARE(View().PasswordEdit().text(), QStringLiteral("4321"));
    QCOMPARE(limits_, (torvan::FrequencyLimits{14400000, 14800000}));
    const CMSFlexGrid& grid = View().ChannelGrid();
    QCOMPARE(grid.TextMatrix(1, 1), QStringLiteral("145.12500"));
    QCOMPARE(grid.TextMatrix(1, 3), QStringLiteral("CTCSS:88.5"));
    QCOMPARE(grid.TextMatrix(1, 10), QStringLiteral("CALL 1"));
    QCOMPARE(grid.TextMatrix(128, 4), QStringLiteral("CTCSS:254.1"));
    QCOMPARE(grid.TextMatrix(3, 1), QString());
}

void ProgramViewTest::userPicksSetTheLimits() {
    Start();
    QComboBox& ranges = View().Combo(Setting::FrequencyRange);
    QComboBox& models = View().Combo(Setting::Model);
    // What a pick in the dropped list does.
    ranges.setCurrentIndex(1);
    QCOMPARE(limits_, (torvan::FrequencyLimits{14400000, 14800000}));
    models.setCurrentIndex(1);
    QCOMPARE(Items(ranges), QStringList{QStringLiteral("400-470MHz")});
    QCOMPARE(ranges.currentIndex(), 0);
    QCOMPARE(limits_, (torvan::FrequencyLimits{40000000, 47000000}));
    // Keys step through a closed list the same way.
    models.setFocus();
    QTest::keyClick(&models, Qt::Key_Up);
    QCOMPARE(models.currentIndex(), 0);
    QCOMPARE(limits_, (torvan::FrequencyLimits{13600000, 17400000}));
}

void ProgramViewTest::decodingLeavesTheLimitsToTheBand() {
    Start();
    View().Combo(Setting::FrequencyRange).setCurrentIndex(1);
    // A new document has no band: its decode selects range 0 but keeps the limits.
    image_.ResetToNewDocument();
    View().OnInitialUpdate();
    QCOMPARE(View().Combo(Setting::FrequencyRange).currentIndex(), 0);
    QCOMPARE(limits_, (torvan::FrequencyLimits{14400000, 14800000}));
}

void ProgramViewTest::oddProfilesLeaveTheLimits() {
    Start("[Setup]\nType0=Odd\nField0=;;wide;136 - 174MHz;;150MHz;\n");
    QComboBox& ranges = View().Combo(Setting::FrequencyRange);
    QCOMPARE(Items(ranges), (QStringList{"wide", "136 - 174MHz", "150MHz"}));
    for (int i = 2; i >= 0; --i) {
        ranges.setCurrentIndex(i);
        QCOMPARE(limits_, torvan::FrequencyLimits{});
    }
}

void ProgramViewTest::missingProgramIniIsCreatedEmpty() {
    const std::filesystem::path ini = folder_.Path(QStringLiteral("elsewhere.ini"));
    view_ = std::make_unique<CProgramView>(image_, limits_, ini);
    image_.ResetToNewDocument();
    view_->OnInitialUpdate();
    QVERIFY(std::filesystem::exists(ini));
    QCOMPARE(View().Combo(Setting::Model).count(), 0);
    QCOMPARE(View().Combo(Setting::FrequencyRange).count(), 0);
    QCOMPARE(limits_, torvan::FrequencyLimits{});
    View().EncodeImage();
    QCOMPARE(image_[torvan::offset::kModelIndex], 0);
    QCOMPARE(image_[torvan::offset::kRangeIndex], 0);
}

void ProgramViewTest::passwordTakesDigitsOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("digits") << "123456"
                            << "123456";
    QTest::newRow("too long") << "12345678"
                              << "123456";
    QTest::newRow("letters and signs") << "1a2-3 .4"
                                       << "1234";
}

void ProgramViewTest::passwordTakesDigitsOnly() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Start();
    QLineEdit& password = View().PasswordEdit();
    QTest::keyClicks(&password, typed);
    QCOMPARE(password.text(), kept);
    QCOMPARE(password.contextMenuPolicy(), Qt::NoContextMenu);
    View().EncodeImage();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&image_[torvan::offset::kPassword]),
                        static_cast<qsizetype>(kept.size())),
             kept.toLatin1());
}

void ProgramViewTest::printsOnePage() {
    Start();
    View().resize(900, 600);
    const QString pdf = folder_.File(QStringLiteral("form.pdf"));
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    View().Print(printer);
    const QByteArray content = folder_.Read(QStringLiteral("form.pdf"));
    QVERIFY(content.startsWith("%PDF"));
    const auto pages = QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))
                           .globalMatch(QString::fromLatin1(content));
    int count = 0;
    for (auto it = pages; it.hasNext(); it.next()) {
        ++count;
    }
    QCOMPARE(count, 1);
}

QTEST_MAIN(ProgramViewTest)
#include "ProgramViewTest.moc"
