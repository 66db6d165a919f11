#include "gui/qt_dialog_view.h"

#include <algorithm>
#include <utility>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include "gui/pictures.h"

namespace bv::gui {

using platform::ControlKind;
using platform::Notification;

// The QDialog of a QtDialogView: Escape and the title bar's close ask the
// logic (IdCancel) instead of closing, and double clicks on static texts and
// pictures are reported.
class DialogWindow final : public QDialog {
  public:
    DialogWindow(QtDialogView& view, QWidget* owner) : QDialog(owner), view_(view) {}

    void reject() override { view_.notify(platform::IdCancel, Notification::Clicked); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            bool ok = false;
            const int id = watched->objectName().toInt(&ok);
            if (ok) {
                view_.notify(id, Notification::DoubleClicked);
                return true;
            }
        }
        return QDialog::eventFilter(watched, event);
    }

  private:
    QtDialogView& view_;
};

namespace {

QString toQString(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string toStd(const QString& text)
{
    return text.toStdString();
}

QColor rgb(int colour)
{
    return QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

} // namespace

QtDialogView::QtDialogView(platform::DialogClient& client, QWidget* owner)
    : client_(client), window_(new DialogWindow(*this, owner))
{
    const platform::DialogTemplate& dialogTemplate = client_.dialogTemplate();
    window_->setObjectName(toQString(dialogTemplate.name));
    window_->setWindowTitle(toQString(dialogTemplate.title));
    controls_ = buildControls(*window_, dialogTemplate);
    applyColours();
    connectNotifications();
    installKeys();
}

QtDialogView::~QtDialogView()
{
    stopTimers();
    delete window_.data();
}

QDialog* QtDialogView::window() const
{
    return window_.data();
}

QWidget* QtDialogView::control(int id) const
{
    const RenderedControl* c = find(id);
    return c != nullptr ? c->widget : nullptr;
}

int QtDialogView::run()
{
    client_.onOpen(*this);
    if (!ended_ && window_ != nullptr) {
        centreOnScreen();
        window_->exec();
    }
    stopTimers();
    return result_;
}

void QtDialogView::end(int result)
{
    if (ended_)
        return;
    ended_ = true;
    result_ = result;
    stopTimers();
    if (window_ != nullptr)
        window_->done(result);
}

void QtDialogView::notify(int id, Notification what)
{
    if (!ended_)
        client_.onCommand(*this, id, what);
}

void QtDialogView::applyColours()
{
    const platform::DialogTemplate& dialogTemplate = client_.dialogTemplate();
    QPalette palette = window_->palette();
    if (dialogTemplate.backgroundColor >= 0)
        palette.setColor(QPalette::Window, rgb(dialogTemplate.backgroundColor));
    if (dialogTemplate.textColor >= 0)
        palette.setColor(QPalette::WindowText, rgb(dialogTemplate.textColor));
    window_->setPalette(palette);
    window_->setAutoFillBackground(dialogTemplate.backgroundColor >= 0);
}

void QtDialogView::connectNotifications()
{
    for (const auto& [id, c] : controls_.byId) {
        const int controlId = id;
        auto notifyAs = [this, controlId](Notification what) {
            return [this, controlId, what] { notify(controlId, what); };
        };
        switch (c.kind) {
        case ControlKind::PushButton:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            QObject::connect(static_cast<QAbstractButton*>(c.widget), &QAbstractButton::clicked,
                             window_, notifyAs(Notification::Clicked));
            break;
        case ControlKind::Edit:
        case ControlKind::NumberEdit:
        case ControlKind::PasswordEdit:
            QObject::connect(static_cast<QLineEdit*>(c.widget), &QLineEdit::textEdited, window_,
                             notifyAs(Notification::Changed));
            break;
        case ControlKind::MultiLineEdit:
            QObject::connect(static_cast<QPlainTextEdit*>(c.widget), &QPlainTextEdit::textChanged,
                             window_, notifyAs(Notification::Changed));
            break;
        case ControlKind::SpinBox:
            QObject::connect(static_cast<QSpinBox*>(c.widget), &QSpinBox::valueChanged, window_,
                             notifyAs(Notification::Changed));
            break;
        case ControlKind::Slider:
            QObject::connect(static_cast<QSlider*>(c.widget), &QSlider::valueChanged, window_,
                             notifyAs(Notification::Changed));
            break;
        case ControlKind::ListBox: {
            auto* list = static_cast<QListWidget*>(c.widget);
            QObject::connect(list, &QListWidget::itemSelectionChanged, window_,
                             notifyAs(Notification::SelChanged));
            QObject::connect(list, &QListWidget::itemDoubleClicked, window_,
                             notifyAs(Notification::DoubleClicked));
            break;
        }
        case ControlKind::DropDownList:
            QObject::connect(static_cast<QComboBox*>(c.widget), &QComboBox::activated, window_,
                             notifyAs(Notification::SelChanged));
            break;
        case ControlKind::StaticText:
        case ControlKind::Picture:
            c.widget->installEventFilter(window_);
            break;
        case ControlKind::ProgressBar:
        case ControlKind::GroupBox:
            break;
        }
    }
}

void QtDialogView::installKeys()
{
    auto addKey = [this](Qt::Key key, int command) {
        auto* shortcut = new QShortcut(QKeySequence(key), window_);
        shortcut->setAutoRepeat(false);
        QObject::connect(shortcut, &QShortcut::activated, window_,
                         [this, command] { notify(command, Notification::Clicked); });
    };
    addKey(Qt::Key_F1, platform::IdHelpKey);
    addKey(Qt::Key_Delete, platform::IdDeleteKey);
}

void QtDialogView::centreOnScreen()
{
    window_->adjustSize();
    const QScreen* screen =
        window_->parentWidget() != nullptr ? window_->parentWidget()->screen() : window_->screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    window_->move(area.center() - window_->rect().center());
}

namespace {

// The timer may be the one whose tick is running now: delete it later. It is
// gone already when the dialog's window went with its owner.
void discardTimer(const QPointer<QTimer>& timer)
{
    if (timer == nullptr)
        return;
    timer->stop();
    timer->deleteLater();
}

} // namespace

void QtDialogView::stopTimers()
{
    for (const auto& [id, timer] : timers_)
        discardTimer(timer);
    timers_.clear();
}

const RenderedControl* QtDialogView::find(int id) const
{
    const auto it = controls_.byId.find(id);
    return it != controls_.byId.end() ? &it->second : nullptr;
}

RenderedControl* QtDialogView::find(int id)
{
    return const_cast<RenderedControl*>(std::as_const(*this).find(id));
}

std::string QtDialogView::text(int id) const
{
    const RenderedControl* c = find(id);
    if (c == nullptr)
        return {};
    QWidget* w = c->widget;
    switch (c->kind) {
    case ControlKind::StaticText:
        return toStd(c->text);
    case ControlKind::Edit:
    case ControlKind::NumberEdit:
    case ControlKind::PasswordEdit:
        return toStd(static_cast<QLineEdit*>(w)->text());
    case ControlKind::MultiLineEdit:
        return toStd(static_cast<QPlainTextEdit*>(w)->toPlainText());
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::PushButton:
        return toStd(static_cast<QAbstractButton*>(w)->text());
    case ControlKind::GroupBox:
        return toStd(static_cast<QGroupBox*>(w)->title());
    case ControlKind::ListBox: {
        const int current = currentIndex(id);
        return current >= 0 ? toStd(static_cast<QListWidget*>(w)->item(current)->text())
                            : std::string();
    }
    case ControlKind::DropDownList:
        return toStd(static_cast<QComboBox*>(w)->currentText());
    case ControlKind::SpinBox:
    case ControlKind::Slider:
    case ControlKind::ProgressBar:
        return std::to_string(value(id));
    case ControlKind::Picture:
        return {};
    }
    return {};
}

void QtDialogView::setText(int id, const std::string& text)
{
    RenderedControl* c = find(id);
    if (c == nullptr)
        return;
    QWidget* w = c->widget;
    const QSignalBlocker quiet(w);
    const QString t = toQString(text);
    switch (c->kind) {
    case ControlKind::StaticText:
        showStaticText(*c, t);
        break;
    case ControlKind::Edit:
    case ControlKind::NumberEdit:
    case ControlKind::PasswordEdit:
        static_cast<QLineEdit*>(w)->setText(t);
        break;
    case ControlKind::MultiLineEdit:
        static_cast<QPlainTextEdit*>(w)->setPlainText(t);
        break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::PushButton:
        static_cast<QAbstractButton*>(w)->setText(t);
        break;
    case ControlKind::GroupBox:
        static_cast<QGroupBox*>(w)->setTitle(t);
        break;
    case ControlKind::DropDownList: {
        auto* combo = static_cast<QComboBox*>(w);
        combo->setCurrentIndex(combo->findText(t, Qt::MatchExactly));
        break;
    }
    case ControlKind::SpinBox:
    case ControlKind::Slider:
    case ControlKind::ProgressBar: {
        bool ok = false;
        const int v = t.trimmed().toInt(&ok);
        if (ok)
            setValue(id, v);
        break;
    }
    case ControlKind::Picture:
        // A picture's text is the name of the picture it shows (animations).
        static_cast<QLabel*>(w)->setPixmap(loadPicture(t, w->devicePixelRatioF()));
        break;
    case ControlKind::ListBox:
        break;
    }
}

QAbstractButton* QtDialogView::checkButton(int id) const
{
    const RenderedControl* c = find(id);
    if (c == nullptr || (c->kind != ControlKind::CheckBox && c->kind != ControlKind::RadioButton))
        return nullptr;
    return static_cast<QAbstractButton*>(c->widget);
}

bool QtDialogView::checked(int id) const
{
    const QAbstractButton* button = checkButton(id);
    return button != nullptr && button->isChecked();
}

void QtDialogView::setChecked(int id, bool on)
{
    QAbstractButton* button = checkButton(id);
    if (button == nullptr)
        return;
    const QSignalBlocker quiet(button);
    // An exclusive radio button cannot be unchecked directly.
    const bool exclusive = button->autoExclusive();
    if (!on)
        button->setAutoExclusive(false);
    button->setChecked(on);
    button->setAutoExclusive(exclusive);
}

bool QtDialogView::enabled(int id) const
{
    const RenderedControl* c = find(id);
    return c != nullptr && !c->widget->testAttribute(Qt::WA_ForceDisabled);
}

void QtDialogView::setEnabled(int id, bool on)
{
    if (RenderedControl* c = find(id))
        c->widget->setEnabled(on);
}

bool QtDialogView::visible(int id) const
{
    const RenderedControl* c = find(id);
    return c != nullptr && c->widget->isVisibleTo(c->widget->parentWidget());
}

void QtDialogView::setVisible(int id, bool on)
{
    if (RenderedControl* c = find(id))
        c->widget->setVisible(on);
}

std::vector<std::string> QtDialogView::items(int id) const
{
    std::vector<std::string> result;
    const RenderedControl* c = find(id);
    if (c == nullptr)
        return result;
    if (c->kind == ControlKind::ListBox) {
        const auto* list = static_cast<QListWidget*>(c->widget);
        for (int i = 0; i < list->count(); ++i)
            result.push_back(toStd(list->item(i)->text()));
    } else if (c->kind == ControlKind::DropDownList) {
        const auto* combo = static_cast<QComboBox*>(c->widget);
        for (int i = 0; i < combo->count(); ++i)
            result.push_back(toStd(combo->itemText(i)));
    }
    return result;
}

void QtDialogView::setItems(int id, const std::vector<std::string>& items)
{
    RenderedControl* c = find(id);
    if (c == nullptr)
        return;
    const QSignalBlocker quiet(c->widget);
    QStringList texts;
    for (const std::string& item : items)
        texts << toQString(item);
    if (c->kind == ControlKind::ListBox) {
        auto* list = static_cast<QListWidget*>(c->widget);
        list->clear();
        list->addItems(texts);
        list->setCurrentRow(-1, QItemSelectionModel::Clear);
    } else if (c->kind == ControlKind::DropDownList) {
        auto* combo = static_cast<QComboBox*>(c->widget);
        combo->clear();
        combo->addItems(texts);
        combo->setCurrentIndex(-1);
    }
}

int QtDialogView::currentIndex(int id) const
{
    const RenderedControl* c = find(id);
    if (c == nullptr)
        return -1;
    if (c->kind == ControlKind::DropDownList)
        return static_cast<QComboBox*>(c->widget)->currentIndex();
    if (c->kind != ControlKind::ListBox)
        return -1;
    const auto* list = static_cast<QListWidget*>(c->widget);
    if (list->selectionMode() == QAbstractItemView::SingleSelection) {
        const QModelIndexList selected = list->selectionModel()->selectedRows();
        return selected.isEmpty() ? -1 : selected.front().row();
    }
    return list->currentRow();
}

void QtDialogView::setCurrentIndex(int id, int index)
{
    RenderedControl* c = find(id);
    if (c == nullptr)
        return;
    const QSignalBlocker quiet(c->widget);
    if (c->kind == ControlKind::DropDownList) {
        auto* combo = static_cast<QComboBox*>(c->widget);
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (c->kind == ControlKind::ListBox) {
        auto* list = static_cast<QListWidget*>(c->widget);
        if (index >= 0 && index < list->count()) {
            list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
            list->scrollToItem(list->item(index));
        } else {
            list->setCurrentRow(-1, QItemSelectionModel::Clear);
        }
    }
}

std::vector<int> QtDialogView::selectedIndexes(int id) const
{
    std::vector<int> rows;
    const RenderedControl* c = find(id);
    if (c == nullptr)
        return rows;
    if (c->kind == ControlKind::DropDownList) {
        const int current = currentIndex(id);
        if (current >= 0)
            rows.push_back(current);
    } else if (c->kind == ControlKind::ListBox) {
        const auto* list = static_cast<QListWidget*>(c->widget);
        for (const QModelIndex& index : list->selectionModel()->selectedRows())
            rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
    }
    return rows;
}

void QtDialogView::setSelected(int id, int index, bool on)
{
    RenderedControl* c = find(id);
    if (c == nullptr)
        return;
    if (c->kind == ControlKind::DropDownList) {
        if (on)
            setCurrentIndex(id, index);
        return;
    }
    if (c->kind != ControlKind::ListBox)
        return;
    auto* list = static_cast<QListWidget*>(c->widget);
    QListWidgetItem* item = list->item(index);
    if (item == nullptr)
        return;
    const QSignalBlocker quiet(list);
    if (list->selectionMode() == QAbstractItemView::SingleSelection)
        list->setCurrentRow(on ? index : -1,
                            on ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear);
    else
        item->setSelected(on);
}

int QtDialogView::value(int id) const
{
    const RenderedControl* c = find(id);
    if (c == nullptr)
        return 0;
    switch (c->kind) {
    case ControlKind::SpinBox:
        return static_cast<QSpinBox*>(c->widget)->value();
    case ControlKind::Slider:
        return static_cast<QSlider*>(c->widget)->value();
    case ControlKind::ProgressBar:
        return static_cast<QProgressBar*>(c->widget)->value();
    default:
        return 0;
    }
}

void QtDialogView::setValue(int id, int v)
{
    RenderedControl* c = find(id);
    if (c == nullptr)
        return;
    const QSignalBlocker quiet(c->widget);
    switch (c->kind) {
    case ControlKind::SpinBox:
        static_cast<QSpinBox*>(c->widget)->setValue(v);
        break;
    case ControlKind::Slider:
        static_cast<QSlider*>(c->widget)->setValue(v);
        break;
    case ControlKind::ProgressBar: {
        // A progress bar ignores values outside its range; clamp like the others.
        auto* bar = static_cast<QProgressBar*>(c->widget);
        bar->setValue(std::clamp(v, bar->minimum(), bar->maximum()));
        break;
    }
    default:
        break;
    }
}

void QtDialogView::setRange(int id, int minimum, int maximum)
{
    RenderedControl* c = find(id);
    if (c == nullptr)
        return;
    const QSignalBlocker quiet(c->widget);
    switch (c->kind) {
    case ControlKind::SpinBox:
        static_cast<QSpinBox*>(c->widget)->setRange(minimum, maximum);
        break;
    case ControlKind::Slider:
        static_cast<QSlider*>(c->widget)->setRange(minimum, maximum);
        break;
    case ControlKind::ProgressBar:
        static_cast<QProgressBar*>(c->widget)->setRange(minimum, maximum);
        break;
    default:
        break;
    }
}

void QtDialogView::setFocus(int id)
{
    if (RenderedControl* c = find(id))
        c->widget->setFocus(Qt::OtherFocusReason);
}

std::string QtDialogView::caption() const
{
    return window_ != nullptr ? toStd(window_->windowTitle()) : std::string();
}

void QtDialogView::setCaption(const std::string& caption)
{
    if (window_ != nullptr)
        window_->setWindowTitle(toQString(caption));
}

void QtDialogView::startTimer(int timerId, int periodMs)
{
    if (ended_ || window_ == nullptr)
        return;
    QPointer<QTimer>& timer = timers_[timerId];
    if (timer == nullptr) {
        timer = new QTimer(window_);
        QObject::connect(timer, &QTimer::timeout, window_, [this, timerId] {
            if (!ended_)
                client_.onTimer(*this, timerId);
        });
    }
    timer->start(periodMs);
}

void QtDialogView::killTimer(int timerId)
{
    const auto it = timers_.find(timerId);
    if (it == timers_.end())
        return;
    discardTimer(it->second);
    timers_.erase(it);
}

} // namespace bv::gui
