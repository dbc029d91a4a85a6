#include "cli/PrintCommand.h"

#include <QBuffer>
#include <QDate>
#include <QGuiApplication>
#include <QPdfWriter>

#include <filesystem>
#include <memory>
#include <ostream>
#include <span>

#include "cli/Console.h"
#include "cli/DocumentCommands.h"
#include "cli/FileArgs.h"
#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"
#include "print/PlanPrint.h"
#include "print/PlanText.h"

namespace torvan::cli {
namespace {

const std::string kPrefix = "torvan-cli print: ";

// Qt's notes about the desktop session (no runtime folder, no display) are
// not the user's business while a PDF is made; failures are reported by
// this command itself.
class QuietQt {
public:
    QuietQt() : previous_(qInstallMessageHandler(&Drop)) {}
    ~QuietQt() { qInstallMessageHandler(previous_); }
    QuietQt(const QuietQt&) = delete;
    QuietQt& operator=(const QuietQt&) = delete;

private:
    static void Drop(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler previous_;
};

struct PrintArgs {
    QPageSize::PageSizeId paper = QPageSize::A4;
    std::vector<std::string> files;
};

bool ParsePrintArgs(const Args& args, PrintArgs& parsed, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--paper") {
            const auto paper = ParseChoice(kPrefix, args, i, {"a4", "letter"}, err);
            if (!paper) {
                return false;
            }
            parsed.paper = *paper == 0 ? QPageSize::A4 : QPageSize::Letter;
        } else if (!TakeFileName(args[i], kPrefix, parsed.files, err)) {
            return false;
        }
    }
    if (parsed.files.size() != 2) {
        err << kPrefix << "expected 2 file names (see torvan-cli --help)\n";
        return false;
    }
    return true;
}

// The plan as a PDF document, made in memory so that the file is then
// replaced in one step.
ResultOf<QByteArray> PlanPdf(const PlanText& plan, QPageSize::PageSizeId paper) {
    // Text is measured and drawn through a GUI application; the offscreen
    // platform needs no display (on Windows the minimal one, which alone
    // there finds the system's fonts). Only this command makes one.
    const QuietQt quiet;
    static int argc = 1;
    static char name[] = "torvan-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (QCoreApplication::instance() == nullptr) {
#ifdef _WIN32
        qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
#else
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(paper));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(QString::fromStdString(plan.title));
    writer.setCreator(QStringLiteral("torvan-cli"));
    const ResultOf<int> printed = PrintPlan(plan, writer);
    if (!printed.ok) {
        return ResultOf<QByteArray>::Failure(printed.error);
    }
    return ResultOf<QByteArray>::Success(buffer.data());
}

}  // namespace

int RunPrint(const Args& args, std::ostream& out, std::ostream& err) {
    PrintArgs parsed;
    if (!ParsePrintArgs(args, parsed, err)) {
        return 2;
    }
    const std::string& input = parsed.files[0];
    const std::string& output = parsed.files[1];
    const bool toStandardOutput = output == "-";
    // A PDF is binary: on a terminal it would be tens of kilobytes of noise
    // and control bytes.
    if (toStandardOutput && StandardOutputIsTerminal()) {
        err << kPrefix
            << "standard output is a terminal; name a file or redirect: "
               "torvan-cli print IN.sin - > plan.pdf\n";
        return 2;
    }
    MemoryImage image;
    if ((!toStandardOutput && !OutputOrReport(output, {input}, err)) ||
        !LoadOrReport(input, image, err)) {
        return 1;
    }
    const PlanText plan =
        ReadPlanText(image, ProgramModels(err), Utf8FromPath(PathFromUtf8(input).filename()),
                     QDate::currentDate().toString(Qt::ISODate).toStdString());
    const ResultOf<QByteArray> pdf = PlanPdf(plan, parsed.paper);
    if (!pdf.ok) {
        err << "Cannot print " << PrintableText(input) << ": " << pdf.error << '\n';
        return 1;
    }
    if (toStandardOutput) {
        BinaryStandardOutput();
        out.write(pdf.value.constData(), pdf.value.size());
        return 0;
    }
    const Result written = WriteFileAtomically(
        output,
        std::span<const char>(pdf.value.constData(), static_cast<std::size_t>(pdf.value.size())));
    if (!written.ok) {
        err << written.error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace torvan::cli
