#include "gui/dialog_controls.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "gui/pictures.h"

namespace bv::gui {

using platform::ControlKind;
using platform::ControlSpec;
using platform::Region;

namespace {

// Lines a list box or multi-line edit shows before it scrolls.
constexpr int kListLines = 6;
constexpr int kMultiLineLines = 4;

QString toQString(const std::string& text)
{
    return QString::fromStdString(text);
}

QString withoutMnemonic(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // "&x" shows x; "&&" shows one '&'.
        if (text[i] == u'&' && ++i == text.size())
            break;
        shown += text[i];
    }
    return shown;
}

int charsWide(const QWidget& widget, int chars)
{
    return widget.fontMetrics().averageCharWidth() * chars;
}

QLineEdit* makeLineEdit(const ControlSpec& spec)
{
    auto* edit = new QLineEdit(toQString(spec.caption));
    edit->setReadOnly(spec.readOnly);
    if (spec.maxLength > 0)
        edit->setMaxLength(spec.maxLength);
    if (spec.kind == ControlKind::PasswordEdit)
        edit->setEchoMode(QLineEdit::Password);
    if (spec.kind == ControlKind::NumberEdit)
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QWidget* makeListBox(const ControlSpec& spec)
{
    auto* list = new QListWidget;
    list->setSelectionMode(spec.multiSelect ? QAbstractItemView::ExtendedSelection
                                            : QAbstractItemView::SingleSelection);
    // Long lines scroll sideways instead of being cut.
    list->setHorizontalScrollBarPolicy(spec.horizontalExtent > 0 ? Qt::ScrollBarAsNeeded
                                                                 : Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(spec.horizontalExtent > 0 ? Qt::ElideNone : Qt::ElideRight);
    list->setMinimumHeight(list->fontMetrics().lineSpacing() * kListLines + 2 * list->frameWidth());
    list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return list;
}

QWidget* makeWidget(const ControlSpec& spec, const QDialog& dialog)
{
    const QString caption = toQString(spec.caption);
    switch (spec.kind) {
    case ControlKind::StaticText: {
        auto* label = new QLabel;
        label->setTextFormat(Qt::PlainText);
        if (spec.widthChars > 0)
            label->setWordWrap(true);
        return label;
    }
    case ControlKind::Edit:
    case ControlKind::NumberEdit:
    case ControlKind::PasswordEdit:
        return makeLineEdit(spec);
    case ControlKind::MultiLineEdit: {
        auto* edit = new QPlainTextEdit(caption);
        edit->setReadOnly(spec.readOnly);
        // Lines wrap at the edit's width: a horizontal scroll bar would only
        // flash up while the text is laid out.
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setMinimumHeight(edit->fontMetrics().lineSpacing() * kMultiLineLines +
                               2 * edit->frameWidth());
        edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        return edit;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(caption);
    case ControlKind::RadioButton:
        return new QRadioButton(caption);
    case ControlKind::PushButton: {
        auto* button = new QPushButton(caption);
        // Enter presses the focused button, else the default one.
        button->setDefault(spec.isDefault);
        return button;
    }
    case ControlKind::ListBox:
        return makeListBox(spec);
    case ControlKind::DropDownList:
        return new QComboBox;
    case ControlKind::SpinBox: {
        auto* spin = new QSpinBox;
        spin->setRange(spec.minimum, spec.maximum);
        return spin;
    }
    case ControlKind::Slider: {
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setRange(spec.minimum, spec.maximum);
        return slider;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar;
        bar->setRange(spec.minimum, spec.maximum);
        bar->setValue(spec.minimum);
        bar->setTextVisible(false);
        // The station dialogs' bars: a blue fill in a black frame.
        bar->setStyleSheet("QProgressBar { border: 1px solid black; background: white; }"
                           " QProgressBar::chunk { background: blue; }");
        return bar;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(caption);
    case ControlKind::Picture: {
        auto* picture = new QLabel;
        picture->setPixmap(loadPicture(caption, dialog.devicePixelRatioF()));
        picture->setAlignment(Qt::AlignCenter);
        return picture;
    }
    }
    return new QWidget;
}

// Kinds a label's mnemonic may move the focus to.
bool takesInput(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Edit:
    case ControlKind::NumberEdit:
    case ControlKind::PasswordEdit:
    case ControlKind::MultiLineEdit:
    case ControlKind::ListBox:
    case ControlKind::DropDownList:
    case ControlKind::SpinBox:
    case ControlKind::Slider:
        return true;
    default:
        return false;
    }
}

// The control right of a label in the same parent and row, if it takes input.
QWidget* buddyOf(const ControlSpec& label, const platform::DialogTemplate& dialogTemplate,
                 const std::vector<QWidget*>& widgets)
{
    const ControlSpec* best = nullptr;
    QWidget* bestWidget = nullptr;
    for (std::size_t i = 0; i < dialogTemplate.controls.size(); ++i) {
        const ControlSpec& c = dialogTemplate.controls[i];
        if (c.region != Region::Body || c.parent != label.parent || c.row != label.row ||
            c.column <= label.column)
            continue;
        if (best == nullptr || c.column < best->column) {
            best = &c;
            bestWidget = widgets[i];
        }
    }
    return best != nullptr && takesInput(best->kind) ? bestWidget : nullptr;
}

} // namespace

void showStaticText(RenderedControl& control, const QString& text)
{
    control.text = text;
    auto* label = qobject_cast<QLabel*>(control.widget);
    if (label == nullptr)
        return;
    label->setText(label->buddy() != nullptr ? text : withoutMnemonic(text));
}

RenderedControls buildControls(QDialog& dialog, const platform::DialogTemplate& dialogTemplate)
{
    RenderedControls rendered;
    const auto& specs = dialogTemplate.controls;

    for (const ControlSpec& spec : specs) {
        QWidget* widget = makeWidget(spec, dialog);
        widget->setParent(&dialog);
        widget->setObjectName(QString::number(spec.id));
        if (spec.widthChars > 0)
            widget->setMinimumWidth(charsWide(*widget, spec.widthChars));
        if (!spec.toolTip.empty())
            widget->setToolTip(toQString(spec.toolTip));
        rendered.all.push_back(widget);
        rendered.byId.try_emplace(spec.id, RenderedControl{spec.kind, widget, {}});
        if (spec.kind == ControlKind::ListBox || spec.kind == ControlKind::MultiLineEdit)
            rendered.resizable = true;
    }

    // One grid per parent: the dialog's body, and every group box.
    auto* body = new QGridLayout;
    std::map<int, QGridLayout*> grids{{0, body}};
    for (std::size_t i = 0; i < specs.size(); ++i)
        if (specs[i].kind == ControlKind::GroupBox && !grids.count(specs[i].id))
            grids[specs[i].id] = new QGridLayout(rendered.all[i]);

    std::vector<std::size_t> buttonRow;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const ControlSpec& spec = specs[i];
        if (spec.region == Region::ButtonRow) {
            buttonRow.push_back(i);
            continue;
        }
        const auto grid = grids.find(spec.parent);
        QGridLayout* layout = grid != grids.end() ? grid->second : body;
        layout->addWidget(rendered.all[i], spec.row, spec.column, std::max(1, spec.rowSpan),
                          std::max(1, spec.columnSpan));
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    std::stable_sort(buttonRow.begin(), buttonRow.end(), [&](std::size_t a, std::size_t b) {
        return specs[a].column < specs[b].column;
    });
    for (std::size_t i : buttonRow)
        buttons->addWidget(rendered.all[i]);

    auto* top = new QVBoxLayout(&dialog);
    top->addLayout(body, 1);
    if (!buttonRow.empty()) {
        // The button row stands a little apart from the body.
        top->addSpacing(dialog.style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing));
        top->addLayout(buttons);
    }
    top->setSizeConstraint(rendered.resizable ? QLayout::SetDefaultConstraint
                                              : QLayout::SetFixedSize);

    for (std::size_t i = 0; i < specs.size(); ++i) {
        if (specs[i].kind != ControlKind::StaticText)
            continue;
        auto* label = static_cast<QLabel*>(rendered.all[i]);
        if (specs[i].caption.find('&') != std::string::npos)
            label->setBuddy(buddyOf(specs[i], dialogTemplate, rendered.all));
        RenderedControl shown{ControlKind::StaticText, label, {}};
        showStaticText(shown, toQString(specs[i].caption));
        auto found = rendered.byId.find(specs[i].id);
        if (found->second.widget == label)
            found->second.text = shown.text;
    }

    QWidget* previous = nullptr;
    for (QWidget* widget : rendered.all) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    return rendered;
}

} // namespace bv::gui
