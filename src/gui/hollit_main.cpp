// hollit and hollit1: the main program with and without dial-up networking,
// built from this one source (BV_DIALUP_NETWORKING is 1 for hollit).

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QTimer>

#include "app/shell/application.h"
#include "app/shell/headless_program.h"
#include "app/shell/help_file.h"
#include "app/shell/program_options.h"
#include "app/shell/window_features.h"
#include "gui/display.h"
#include "gui/main_window.h"
#include "gui/qt_event_loop.h"
#include "gui/qt_termination_signals.h"
#include "gui/qt_text.h"
#include "gui/qt_ui.h"
#include "platform/linux/system_clock.h"
#include "units/regional_settings.h"

namespace {

constexpr bv::app::Edition kEdition =
    BV_DIALUP_NETWORKING ? bv::app::Edition::WithDialUp : bv::app::Edition::WithoutDialUp;
constexpr int kUsageError = 2;

// The help file compiled into the program from resources/help/Viraraz.hlp.
std::string readBuiltInHelpFile()
{
    QFile file(QStringLiteral(":/help/Viraraz.hlp"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

// Says once on stderr that the window has been painted and the event loop has
// run out of work: the start-up is over.
class StartupReporter final : public QObject {
  public:
    explicit StartupReporter(QWidget& painted) { painted.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [] {
                std::cerr << bv::app::programName(kEdition) << ": window shown and idle"
                          << std::endl;
            });
        }
        return false;
    }
};

int runWindowed(int argc, char** argv, const bv::app::ProgramOptions& options,
                const std::string& helpFile)
{
    const std::string_view name = bv::app::programName(kEdition);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(bv::gui::qText(name));
    QApplication::setQuitOnLastWindowClosed(false);

    bv::gui::QtEventLoop loop;
    bv::gui::QtUi ui;
    bv::platform::SystemClock clock;
    bv::app::Application app(ui, loop, clock, std::filesystem::current_path(), kEdition);
    bv::gui::MainWindow window(app);
    window.attach(ui);
    const bv::app::WindowFeatures features(app, window.commands(), window);
    window.setOnClosed([] { QApplication::quit(); });
    // A logout, shutdown or service stop ends the run as Exit does, without
    // asking: the loops end (exit, unlike quit, closes no window, so no
    // question is shown) and the configuration is saved below.
    int stopSignal = 0;
    const bv::gui::QtTerminationSignals terminationSignals([&stopSignal](int signalNumber) {
        stopSignal = signalNumber;
        QCoreApplication::exit(0);
    });
    if (!terminationSignals.installed())
        std::cerr << name
                  << ": cannot catch SIGTERM and SIGINT; stopping by a signal will not save "
                  << bv::app::kConfigFileName << std::endl;
    std::unique_ptr<StartupReporter> startupReporter;
    if (options.reportStartup)
        startupReporter = std::make_unique<StartupReporter>(*window.centralWidget());
    window.show();
    window.centreOnScreen();

    app.start(bv::app::configurationSwitches(options), bv::units::readRegionalSettings());
    if (const std::error_code error = app.provideHelpFile(helpFile))
        std::cerr << name << ": could not write " << bv::app::kHelpFileName << ": "
                  << error.message() << std::endl;
    const int code = QApplication::exec();
    if (stopSignal != 0)
        std::cerr << name << ": stopped by signal " << stopSignal << std::endl;
    if (const std::error_code saved = app.shutdown()) {
        std::cerr << name << ": could not save " << bv::app::kConfigFileName << ": "
                  << saved.message() << std::endl;
        return 1;
    }
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view name = bv::app::programName(kEdition);
    const bv::app::ProgramOptions options =
        bv::app::parseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::cerr << name << ": " << options.error << "\n" << bv::app::usageText(kEdition);
        return kUsageError;
    }
    if (options.showHelp) {
        std::cout << bv::app::usageText(kEdition);
        return 0;
    }
    if (options.showVersion) {
        std::cout << bv::app::versionText(kEdition) << std::endl;
        return 0;
    }
    if (const std::string error = bv::app::enterStationDirectory(options); !error.empty()) {
        std::cerr << name << ": " << error << std::endl;
        return kUsageError;
    }
    const std::string helpFile = readBuiltInHelpFile();
    if (options.headless || !bv::gui::displayAvailable())
        return bv::app::runHeadless(options, kEdition, helpFile, std::cerr);
    // Qt sees only the program's name: every argument is ours.
    int qtArgc = 1;
    return runWindowed(qtArgc, argv, options, helpFile);
}
