// Renders every window and dialog of the program, as a user first sees it,
// and the first page of a printed channel plan into PNG files for the user
// guide. Runs headless (QT_QPA_PLATFORM=offscreen)
// and fails, naming the window, when one cannot be rendered, so the guide's
// pictures are remade from the real program rather than kept by hand.
//
//   torvan-screenshots OUTPUT_FOLDER
//
// A new dialog is one more row of Shots() below.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "app/CAboutDlg.h"
#include "app/CExitDlg.h"
#include "app/CMainFrame.h"
#include "app/CProgramApp.h"
#include "config/DefaultProgramIni.h"
#include "config/IniStore.h"
#include "config/ModelCatalogReader.h"
#include "dialogs/CDtmfDlg.h"
#include "dialogs/CProgressDlg.h"
#include "dialogs/CRadioDlg.h"
#include "dialogs/CSideKeyDlg.h"
#include "dialogs/CToneDlg.h"
#include "form/BroadcastPresets.h"
#include "form/ChannelCodec.h"
#include "form/DtmfSettings.h"
#include "form/ImageCodec.h"
#include "form/MemoryForm.h"
#include "model/ChannelFile.h"
#include "print/PlanPages.h"
#include "print/PlanText.h"

using namespace torvan;

namespace {

using torvan::MemoryImage;

// A few channels of the kind a dealer programs, so the grid is not bare.
MemoryImage SampleImage(const torvan::ModelCatalog& models) {
    MemoryImage image;
    image.ResetToNewDocument();
    torvan::MemoryForm form;
    torvan::FrequencyLimits limits;
    torvan::DecodeImage(image, models, form, limits);
    namespace col = torvan::column;
    const struct {
        const char* rx;
        const char* tx;
        const char* rxCode;
        const char* txCode;
        const char* name;
    } channels[] = {
        {"145.50000", "145.50000", "None", "None", "CALLING"},
        {"146.52000", "146.52000", "CTCSS:88.5", "CTCSS:88.5", "SIMPLEX"},
        {"147.30000", "147.90000", "None", "CTCSS:100.0", "REPEATER"},
        {"151.62500", "151.62500", "CDCSS:023N", "CDCSS:023N", "YARD"},
        {"154.57000", "154.57000", "None", "None", "SITE-2"},
    };
    auto& grid = form.Grid();
    int row = 1;
    for (const auto& channel : channels) {
        grid.SetTextMatrix(row, col::kRxFrequency, channel.rx);
        grid.SetTextMatrix(row, col::kTxFrequency, channel.tx);
        grid.SetTextMatrix(row, col::kRxCode, channel.rxCode);
        grid.SetTextMatrix(row, col::kTxCode, channel.txCode);
        grid.SetTextMatrix(row, col::kBusyLock, "Off");
        grid.SetTextMatrix(row, col::kTxPower, "High");
        grid.SetTextMatrix(row, col::kBandwidth, "Wide");
        grid.SetTextMatrix(row, col::kScanAdd, "Yes");
        grid.SetTextMatrix(row, col::kPttId, "Off");
        grid.SetTextMatrix(row, col::kName, channel.name);
        ++row;
    }
    torvan::EncodeImage(form, limits, image);
    const std::string presets[torvan::kBroadcastPresetCount] = {"88.10", "91.50", "96.30", "101.70",
                                                                "104.20"};
    torvan::StorePresets(image, presets);
    torvan::StoreDtmfSettings(image, {true, true, "1023"});
    return image;
}

struct Context {
    CProgramApp& app;
    MemoryImage& image;
};

struct Shot {
    const char* file;
    std::function<std::unique_ptr<QWidget>(Context&)> make;
};

template <typename Dialog, typename... Args>
std::function<std::unique_ptr<QWidget>(Context&)> DialogOn(Args... args) {
    return [=](Context& context) -> std::unique_ptr<QWidget> {
        return std::make_unique<Dialog>(args..., context.app.MainFrame());
    };
}

template <typename Dialog>
std::function<std::unique_ptr<QWidget>(Context&)> DialogOnImage() {
    return [](Context& context) -> std::unique_ptr<QWidget> {
        return std::make_unique<Dialog>(context.image, context.app.MainFrame());
    };
}

std::vector<Shot> Shots() {
    return {
        {"tone-setting.png", DialogOn<CToneDlg>(QStringLiteral("CTCSS:88.5"))},
        {"side-key.png", DialogOnImage<CSideKeyDlg>()},
        {"dtmf.png", DialogOnImage<CDtmfDlg>()},
        {"radio.png", DialogOnImage<CRadioDlg>()},
        {"about.png", DialogOn<CAboutDlg>()},
        {"exit-prompt.png", DialogOn<CExitDlg>()},
        {"progress-dialog.png",
         [](Context& context) -> std::unique_ptr<QWidget> {
             return std::make_unique<CProgressDlg>(torvan::CloneDirection::Read, context.image,
                                                   torvan::PortDevice::Success("/dev/ttyUSB0"),
                                                   context.app.MainFrame());
         }},
    };
}

bool Save(QWidget& widget, const QDir& out, const char* file) {
    widget.show();
    QApplication::processEvents();
    const QPixmap picture = widget.grab();
    const bool ok = !picture.isNull() && picture.width() > 50 && picture.height() > 30 &&
                    picture.save(out.filePath(QString::fromLatin1(file)), "PNG");
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "cannot render", file);
    return ok;
}

// The first printed page of the sample's channel plan, as on A4 paper at
// 100 dots per inch with File Print's margins. The date is fixed, so the
// picture changes only when the print does.
bool SavePrintedPage(const torvan::ModelCatalog& models, const QDir& out) {
    constexpr int kDpi = 100;
    constexpr double kMargin = 15 / 25.4 * kDpi;
    QImage page(QSize(827, 1169), QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(kDpi / 0.0254));
    page.setDotsPerMeterY(qRound(kDpi / 0.0254));
    page.fill(Qt::white);
    const torvan::PlanPages pages(
        torvan::ReadPlanText(SampleImage(models), models, "sample.sin", "2026-01-15"), page,
        QSizeF(page.size()) - QSizeF(2 * kMargin, 2 * kMargin));
    QPainter painter(&page);
    painter.translate(kMargin, kMargin);
    pages.Paint(painter, 1);
    painter.end();
    const bool ok = page.save(out.filePath(QStringLiteral("printed-page.png")), "PNG");
    std::fprintf(ok ? stdout : stderr, "%s printed-page.png\n", ok ? "wrote" : "cannot render");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: torvan-screenshots OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    // A private Program.ini with the default profiles, the settings file and
    // the sample document, as after the first start.
    QTemporaryDir folder;
    const std::filesystem::path ini = folder.filePath(QStringLiteral("Program.ini")).toStdString();
    std::ofstream(ini) << torvan::DefaultProgramIni() << "COM=COM1\n";
    const QString sample = folder.filePath(QStringLiteral("sample.sin"));
    const torvan::ModelCatalog models = torvan::ReadModelCatalog(torvan::IniStore(ini));
    if (!torvan::SaveChannelFile(sample.toStdString(), SampleImage(models)).ok) {
        return 1;
    }

    CProgramApp app(AppEnvironment{ini, folder.filePath(QStringLiteral("settings.ini")), {}});
    if (!app.InitInstance({QStringLiteral("torvan-encoder"), sample})) {
        std::fputs("cannot render main-window.png: the program did not start\n", stderr);
        return 1;
    }
    app.MainFrame()->resize(1060, 640);
    bool ok = Save(*app.MainFrame(), out, "main-window.png");
    Context context{app, app.Document().Image()};
    for (const Shot& shot : Shots()) {
        const std::unique_ptr<QWidget> widget = shot.make(context);
        ok = Save(*widget, out, shot.file) && ok;
    }
    ok = SavePrintedPage(models, out) && ok;
    return ok ? 0 : 1;
}
