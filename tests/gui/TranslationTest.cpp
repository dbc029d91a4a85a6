#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

#include "GuiTestSupport.h"
#include "app/CAboutDlg.h"
#include "app/CExitDlg.h"
#include "app/Translations.h"
#include "config/ProductName.h"
#include "dialogs/CDtmfDlg.h"
#include "dialogs/CPowerDlg.h"
#include "dialogs/CProgressDlg.h"
#include "dialogs/CRadioDlg.h"
#include "dialogs/CSideKeyDlg.h"
#include "dialogs/CToneDlg.h"

using namespace torvan;

namespace {

// A text a user reads that did not come through the translation: not
// marked, and not one that is no word (a number, a port's name, the
// product's name, which stays as it is in every language).
bool Untranslated(const QString& text) {
    static const QRegularExpression kNoWord(QStringLiteral("^([0-9%. ]*|COM[0-9])$"));
    return !text.startsWith(QStringLiteral("[[")) && !kNoWord.match(text).hasMatch() &&
           text != QString::fromUtf8(kProductName);
}

// The texts a widget and its children show: titles, labels, buttons and
// group boxes; each action's text, status-bar prompt and tool tip.
QStringList Texts(const QWidget& top) {
    QStringList texts = {top.windowTitle()};
    for (const QLabel* label : top.findChildren<QLabel*>()) {
        texts << label->text() << label->toolTip();
    }
    for (const QAbstractButton* button : top.findChildren<QAbstractButton*>()) {
        texts << button->text();
    }
    for (const QGroupBox* box : top.findChildren<QGroupBox*>()) {
        texts << box->title();
    }
    for (const QMenu* menu : top.findChildren<QMenu*>()) {
        texts << menu->title();
    }
    for (const QAction* action : top.findChildren<QAction*>()) {
        texts << action->text() << action->statusTip() << action->toolTip();
    }
    texts.removeAll(QString());
    return texts;
}

}  // namespace

class TranslationTest : public QObject {
    Q_OBJECT

private slots:
    // With a translation that marks every text lupdate extracts, loaded as
    // the program loads one for the system's language, the window and each
    // of its dialogs show no text left unmarked.
    void everyWindowTextComesFromTheTranslation() {
        QVERIFY(!InstallTranslations(*qApp, QLocale(QLocale::Esperanto)));
        QVERIFY(InstallTranslations(*qApp, QLocale(QLocale::Esperanto),
                                    QStringLiteral(TORVAN_PSEUDO_TRANSLATION)));
        gui_test::Window window;
        window.simulatedRadio = "/dev/pts/99";
        QVERIFY(window.Start());
        MemoryImage image;
        const PortDevice none = PortDevice::Failure("no port");
        const std::vector<std::pair<QString, std::unique_ptr<QWidget>>> shown = [&] {
            std::vector<std::pair<QString, std::unique_ptr<QWidget>>> all;
            all.emplace_back("About", std::make_unique<CAboutDlg>());
            all.emplace_back("Exit", std::make_unique<CExitDlg>());
            all.emplace_back("DTMF", std::make_unique<CDtmfDlg>(image));
            all.emplace_back("Side Key", std::make_unique<CSideKeyDlg>(image));
            all.emplace_back("Radio", std::make_unique<CRadioDlg>(image));
            all.emplace_back("Tone", std::make_unique<CToneDlg>(QStringLiteral("CTCSS:88.5")));
            all.emplace_back("Power", std::make_unique<CPowerDlg>(none));
            all.emplace_back("Read",
                             std::make_unique<CProgressDlg>(CloneDirection::Read, image, none));
            return all;
        }();
        QStringList untranslated;
        for (const QString& text : Texts(window.Frame())) {
            untranslated << (Untranslated(text) ? QStringLiteral("window: ") + text : QString());
        }
        for (const auto& [name, dialog] : shown) {
            for (const QString& text : Texts(*dialog)) {
                untranslated << (Untranslated(text) ? name + QStringLiteral(": ") + text
                                                    : QString());
            }
        }
        untranslated.removeAll(QString());
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

GUI_TEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
