#include "gui/main_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/base/shell_helpers.h"
#include "app/base/strings_shell.h"
#include "app/shell/application.h"
#include "app/shell/command_table.h"
#include "gui/log_printer.h"
#include "gui/log_viewer.h"
#include "gui/pager_status_window.h"
#include "gui/pictures.h"
#include "gui/qt_text.h"
#include "gui/qt_ui.h"
#include "gui/tray.h"

// The main window's pictures are compiled into a static library; their
// resource has to be registered by name, outside any namespace.
static void registerMainWindowResources()
{
    Q_INIT_RESOURCE(main_window);
}

namespace bv::gui {

namespace {

// The viewer's distance from the edges of the area between toolbar and
// status bar, in pixels.
constexpr int kViewerLeft = 2;
constexpr int kViewerTop = 8;
constexpr int kViewerRight = 3;
constexpr int kViewerBottom = 4;
// Where the context-menu key opens the right-click menu: this far right of
// the window's left edge and below the toolbar.
constexpr int kKeyboardMenuX = 5;
constexpr int kKeyboardMenuBelowToolbar = 10;
// The window's first size, unless the screen is smaller.
constexpr QSize kDefaultSize(800, 560);
constexpr std::string_view kPrinterFailed = "The printer could not be started.";

// The eight images of the toolbar strip "TOOLBAR", for the screen's pixel ratio.
std::vector<QPixmap> toolbarImages(qreal devicePixelRatio)
{
    const QPixmap strip = loadPicture(QStringLiteral("TOOLBAR"), devicePixelRatio);
    std::vector<QPixmap> images;
    const int width = qRound(app::kToolbarImageWidth * devicePixelRatio);
    const int height = qRound(app::kToolbarImageHeight * devicePixelRatio);
    for (int index = 0; index < app::kToolbarImageCount; ++index) {
        QPixmap image = strip.copy(index * width, 0, width, height);
        image.setDevicePixelRatio(devicePixelRatio);
        images.push_back(image);
    }
    return images;
}

// The area between toolbar and status bar: the window's grey with the
// picture "BACK" in its middle, under the viewer.
class Backdrop final : public QWidget {
  public:
    Backdrop()
    {
        setObjectName(QStringLiteral("Backdrop"));
        setBackgroundRole(QPalette::Window);
        setAutoFillBackground(true);
    }

  protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        if (picture_.isNull() || picture_.devicePixelRatio() != devicePixelRatioF())
            picture_ = loadPicture(QStringLiteral("BACK"), devicePixelRatioF());
        const QSize size = picture_.deviceIndependentSize().toSize();
        QPainter painter(this);
        painter.drawPixmap(width() / 2 - size.width() / 2, height() / 2 - size.height() / 2,
                           picture_);
    }

  private:
    QPixmap picture_;
};

} // namespace

MainWindow::MainWindow(app::Application& app, QWidget* parent)
    : QMainWindow(parent), app_(app), commands_(app, *this)
{
    registerMainWindowResources();
    setObjectName(QStringLiteral("MainWindow"));
    const QString title = qText(app::strings::kProgramTitle);
    setWindowTitle(title);
    setWindowIcon(QIcon(QStringLiteral(":/icons/IDI_ICON1.svg")));
    tray_ = new TrayParking(*this, windowIcon(), title);

    buildMenuBar();
    buildToolbar();
    buildCentre();
    buildShortcuts();
    statusBar()->setSizeGripEnabled(true);
    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("StatusText"));
    statusBar()->addWidget(statusLabel_, 1);
    pagerStatus_ = new PagerStatusWindow(this);
    app_.setPagerStatusView(pagerStatus_);

    const QSize available = screen()->availableGeometry().size();
    resize(kDefaultSize.boundedTo(available * 3 / 4));
    updateCommandStates();
}

MainWindow::~MainWindow()
{
    app_.setPagerStatusView(nullptr);
    if (ui_ == nullptr)
        return;
    ui_->setStatusSink({});
    ui_->setEventLogSink({});
    ui_->setMainWindow(nullptr);
}

void MainWindow::attach(QtUi& ui)
{
    ui_ = &ui;
    ui.setMainWindow(this);
    ui.setStatusSink([this](const QString& text) { setStatusText(text); });
    ui.setEventLogSink([this] { commands_.reloadViewer(); });
    ui.setStationDirectory(QString::fromStdString(app_.stationDir().string()));
}

void MainWindow::centreOnScreen()
{
    const QRect available = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const app::WindowRect centred = app::centeredRect(
        {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()},
        available.width(), available.height());
    move(available.left() + centred.left, available.top() + centred.top);
}

void MainWindow::buildMenuBar()
{
    for (const app::Menu& menu : app::mainMenu())
        menuBar()->addMenu(buildMenu(menu, this));
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu"));
    for (const app::Menu& menu : app::popupMenu())
        popup_->addMenu(buildMenu(menu, popup_));
}

QMenu* MainWindow::buildMenu(const app::Menu& menu, QWidget* parent)
{
    auto* built = new QMenu(qText(menu.title), parent);
    built->setToolTipsVisible(true);
    for (const app::MenuItem& item : menu.items) {
        if (item.command == 0) {
            built->addSeparator();
            continue;
        }
        QAction* action = built->addAction(qText(item.text));
        const int command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { commands_.execute(command); });
        menuActions_.emplace_back(command, action);
    }
    // Whether a transfer or paging run is under way is asked as the menu opens.
    connect(built, &QMenu::aboutToShow, this, [this] { updateCommandStates(); });
    return built;
}

void MainWindow::buildToolbar()
{
    toolbar_ = addToolBar(QStringLiteral("Toolbar"));
    toolbar_->setObjectName(QStringLiteral("Toolbar"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setIconSize(QSize(app::kToolbarImageWidth, app::kToolbarImageHeight));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const std::vector<QPixmap> images = toolbarImages(screen()->devicePixelRatio());
    for (const app::ToolbarEntry& entry : app::toolbarEntries()) {
        if (entry.command == 0) {
            toolbar_->addSeparator();
            continue;
        }
        QIcon icon(images[static_cast<std::size_t>(entry.image)]);
        if (entry.pressedImage != entry.image)
            icon.addPixmap(images[static_cast<std::size_t>(entry.pressedImage)], QIcon::Normal,
                           QIcon::On);
        auto* action = new QAction(icon, qText(entry.toolTip), this);
        const int command = entry.command;
        if (entry.pressedImage != entry.image) {
            action->setCheckable(true);
            connect(action, &QAction::triggered, this,
                    [this](bool pressed) { commands_.setTransfersDisabled(pressed); });
        } else {
            connect(action, &QAction::triggered, this,
                    [this, command] { commands_.execute(command); });
        }
        toolbar_->addAction(action);
        toolbarActions_.emplace_back(command, action);
    }
}

void MainWindow::buildShortcuts()
{
    for (const app::Accelerator& key : app::quickKeys()) {
        auto* shortcut = new QShortcut(
            QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key(key.key))), this);
        shortcut->setContext(Qt::WindowShortcut);
        const int id = key.shortcutCommand;
        connect(shortcut, &QShortcut::activated, this, [this, id] { commands_.execute(id); });
    }
}

void MainWindow::buildCentre()
{
    auto* centre = new Backdrop;
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(kViewerLeft, kViewerTop, kViewerRight, kViewerBottom);
    viewer_ = new LogViewer;
    viewer_->hide();
    viewer_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(viewer_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { showPopup(viewer_->viewport()->mapToGlobal(pos)); });
    layout->addWidget(viewer_);
    setCentralWidget(centre);
}

QAction* MainWindow::toolbarAction(int command) const
{
    for (const auto& [id, action] : toolbarActions_)
        if (id == command)
            return action;
    return nullptr;
}

void MainWindow::setStatusText(const QString& text)
{
    statusLabel_->setText(text);
}

void MainWindow::setViewerShown(bool shown)
{
    viewer_->setVisible(shown);
}

void MainWindow::loadViewer(const std::filesystem::path& file)
{
    viewer_->loadFile(QString::fromStdString(file.string()));
}

bool MainWindow::printViewer()
{
    QPrinter printer(QPrinter::HighResolution);
    const int position = runPrintDialog(printer, this);
    if (position == 0)
        return false;
    if (printText(printer, *viewer_->document(), position) == 0) {
        app_.shell().errorBox(kPrinterFailed, app::BoxOwner::ActiveWindow);
        return false;
    }
    return true;
}

void MainWindow::closeMainWindow()
{
    exitConfirmed_ = true;
    close();
}

void MainWindow::updateCommandStates()
{
    for (const auto& [command, action] : menuActions_) {
        action->setEnabled(commands_.menuEnabled(command));
        action->setToolTip(QString::fromStdString(commands_.unavailableNote(command)));
    }
    for (const app::ToolbarEntry& entry : app::toolbarEntries()) {
        QAction* action = toolbarAction(entry.command);
        if (action == nullptr)
            continue;
        action->setEnabled(commands_.toolbarEnabled(entry.command));
        QString tip = qText(entry.toolTip);
        const std::string note = commands_.unavailableNote(entry.command);
        if (!note.empty())
            tip += QStringLiteral(" (") + QString::fromStdString(note) + QStringLiteral(")");
        action->setToolTip(tip);
        if (action->isCheckable()) {
            const QSignalBlocker quiet(action);
            action->setChecked(commands_.transfersDisabled());
        }
    }
}

void MainWindow::showPopup(const QPoint& globalPos)
{
    updateCommandStates();
    popup_->popup(globalPos);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!exitConfirmed_ && !commands_.confirmExit()) {
        event->ignore();
        return;
    }
    exitConfirmed_ = true;
    event->accept();
    if (onClosed_)
        onClosed_();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized() ||
        !TrayParking::trayAvailable())
        return;
    // Hiding from within the state change confuses some window managers.
    QTimer::singleShot(0, this, [this] {
        if (isMinimized())
            tray_->park();
    });
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint globalPos =
        event->reason() == QContextMenuEvent::Keyboard
            ? mapToGlobal(QPoint(kKeyboardMenuX, toolbar_->height() + kKeyboardMenuBelowToolbar))
            : event->globalPos();
    showPopup(globalPos);
}

} // namespace bv::gui
