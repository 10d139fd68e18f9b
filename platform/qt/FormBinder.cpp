#include "platform/qt/FormBinder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/CheckList.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/MenuItem.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/StaticControls.h"
#include "platform/forms/StatusPanel.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/ToolbarButton.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/QtText.h"

namespace qtkit {

using forms::Property;

// Marks the binder as putting model state into widgets for its lifetime.
class Updating {
  public:
    explicit Updating(FormBinder& binder) : binder_(binder) { ++binder_.updating_; }
    ~Updating() { --binder_.updating_; }
    Updating(const Updating&) = delete;
    Updating& operator=(const Updating&) = delete;

  private:
    FormBinder& binder_;
};

namespace {

// The base name and index of a control array's element, "NAME(INDEX)"; index -1 for a
// control of no array.
std::pair<std::string, int> arrayElement(const std::string& name) {
    const auto open = name.find('(');
    if (open == std::string::npos || name.back() != ')') return {name, -1};
    return {name.substr(0, open), std::atoi(name.c_str() + open + 1)};
}

// A multi-line text box keeps Windows line breaks (CR LF); the screen shows LF.
QString shownText(const forms::TextBox& box) {
    return box.MultiLine() ? toQt(platform::lineBreaks(box.Text())) : toQt(box.Text());
}

std::string typedText(const forms::TextBox& box, const QString& text) {
    std::string typed = fromQt(text);
    if (!box.MultiLine()) return typed;
    std::string windows;
    for (char c : typed) {
        if (c == '\n') windows += '\r';
        windows += c;
    }
    return windows;
}

QKeySequence shortcutOf(const std::string& text) {
    return QKeySequence::fromString(toQt(text), QKeySequence::PortableText);
}

}  // namespace

FormBinder::FormBinder(forms::Form& form, QWidget& root)
    : QObject(&root), form_(&form), root_(root), alive_(std::make_shared<bool>(true)) {
    Updating updating(*this);
    root_.setWindowTitle(toQt(form.Caption()));
    form.watch([this, alive = alive_](Property) {
        if (*alive && form_ != nullptr) root_.setWindowTitle(toQt(form_->Caption()));
    });
    bindControls();
    bindMenus();
    bindToolbars();
    bindStatusBars();
    applyTabOrder();
    root_.installEventFilter(this);
}

FormBinder::~FormBinder() { detach(); }

void FormBinder::detach() {
    if (form_ == nullptr) return;
    *alive_ = false;
    form_ = nullptr;
}

QObject* FormBinder::viewOf(const std::string& controlName) const {
    const auto found = views_.find(controlName);
    return found == views_.end() ? nullptr : found->second;
}

void FormBinder::watch(forms::Control& control, std::function<void(Property)> show) {
    control.watch([this, alive = alive_, show = std::move(show)](Property property) {
        if (!*alive) return;
        Updating updating(*this);
        show(property);
    });
}

void FormBinder::showAndWatch(forms::Control& control, std::initializer_list<Property> properties,
                              std::function<void(Property)> show) {
    for (Property property : properties) show(property);
    watch(control, std::move(show));
}

void FormBinder::userEdit(const std::function<void()>& edit, const std::function<void()>& reshow) {
    if (form_ == nullptr || updating()) return;
    userAction(edit);
    // The form may have gone with the edit (a command that closes it).
    if (form_ == nullptr) return;
    Updating updating(*this);
    reshow();
}

void FormBinder::takeFocusFrom(QWidget& widget, forms::Control& control) {
    focusTargets_[&widget] = &control;
    widget.installEventFilter(this);
}

// ---- Controls drawn by widgets of the layout ------------------------------------------

void FormBinder::bindControls() {
    for (forms::Control* control : form_->controls()) {
        // Menus, tabs, toolbar buttons and status panels are drawn by their containers.
        if (dynamic_cast<forms::MenuItem*>(control) || dynamic_cast<forms::Tab*>(control) ||
            dynamic_cast<forms::ToolbarButton*>(control) ||
            dynamic_cast<forms::StatusPanel*>(control))
            continue;
        auto* widget = root_.findChild<QWidget*>(toQt(forms::viewName(control->Name())));
        if (widget == nullptr) {
            unbound_ << toQt(control->Name());
            continue;
        }
        views_[control->Name()] = widget;
        bindControl(*control, *widget);
    }
}

void FormBinder::bindControl(forms::Control& control, QWidget& widget) {
    if (auto* box = dynamic_cast<forms::TextBox*>(&control)) {
        bindTextBox(*box, widget);
    } else if (dynamic_cast<forms::CheckBox*>(&control) ||
               dynamic_cast<forms::OptionButton*>(&control)) {
        bindButtonBox(control, widget);
    } else if (auto* list = dynamic_cast<forms::ComboBox*>(&control)) {
        bindComboBox(*list, widget);
    } else if (auto* checkList = dynamic_cast<forms::CheckList*>(&control)) {
        bindCheckList(*checkList, widget);
    } else if (auto* button = dynamic_cast<forms::CommandButton*>(&control)) {
        bindCommandButton(*button, widget);
    } else if (auto* strip = dynamic_cast<forms::TabStrip*>(&control)) {
        bindTabStrip(*strip, widget);
    } else {
        // Labels, frames and anything else show a caption at most.
        auto show = [&control, &widget, this](Property property) {
            if (property == Property::Caption) {
                if (auto* label = qobject_cast<QLabel*>(&widget)) {
                    label->setTextFormat(Qt::PlainText);
                    label->setText(label->buddy() != nullptr ? toQt(control.Caption())
                                                             : withoutAccessKeys(control.Caption()));
                } else if (auto* frame = qobject_cast<QGroupBox*>(&widget)) {
                    frame->setTitle(toQt(control.Caption()));
                }
            }
            showCommon(control, widget, property);
        };
        showAndWatch(control, {Property::Enabled, Property::Visible, Property::ToolTipText,
                               Property::Caption},
                     show);
    }
}

void FormBinder::showCommon(const forms::Control& control, QWidget& widget, Property property) {
    switch (property) {
        case Property::Enabled:
            widget.setEnabled(control.Enabled());
            break;
        case Property::Visible:
            widget.setHidden(!control.Visible());
            break;
        case Property::ToolTipText:
            widget.setToolTip(toQt(control.ToolTipText()));
            break;
        case Property::Focus:
            if (control.hasFocus() && !widget.hasFocus()) widget.setFocus(Qt::OtherFocusReason);
            break;
        case Property::Picture:
            if (auto* button = qobject_cast<QAbstractButton*>(&widget))
                button->setIcon(picture(control.Picture()));
            break;
        default:
            break;
    }
}

void FormBinder::bindTextBox(forms::TextBox& box, QWidget& widget) {
    takeFocusFrom(widget, box);
    auto* line = qobject_cast<QLineEdit*>(&widget);
    auto* area = qobject_cast<QPlainTextEdit*>(&widget);
    // The model's maximum length limits typing only (TextBox::type); Qt's own would also
    // cut text the program sets.
    if (line != nullptr) line->setMaxLength(32767);
    auto show = [this, &box, &widget, line, area](Property property) {
        switch (property) {
            case Property::Text:
                if (line != nullptr && line->text() != shownText(box)) {
                    const int cursor = line->cursorPosition();
                    line->setText(shownText(box));
                    line->setCursorPosition(std::min(cursor, static_cast<int>(line->text().size())));
                } else if (area != nullptr && area->toPlainText() != shownText(box)) {
                    area->setPlainText(shownText(box));
                }
                break;
            case Property::Locked:
                if (line != nullptr) line->setReadOnly(box.Locked());
                if (area != nullptr) area->setReadOnly(box.Locked());
                break;
            case Property::BackColor: {
                QPalette palette = widget.palette();
                const QPalette system = QApplication::palette(&widget);
                palette.setColor(QPalette::Base, box.BackColor() == forms::SystemColor::ButtonFace
                                                     ? system.color(QPalette::Button)
                                                     : system.color(QPalette::Base));
                widget.setPalette(palette);
                break;
            }
            default:
                showCommon(box, widget, property);
        }
    };
    showAndWatch(box, {Property::Text, Property::Locked, Property::BackColor, Property::Enabled,
                       Property::Visible, Property::ToolTipText},
                 show);
    // A refused or cut edit shows the model's text again.
    auto typed = [this, &box, show](const QString& text) {
        userEdit([&] { box.type(typedText(box, text)); }, [&] { show(Property::Text); });
    };
    if (line != nullptr) connect(line, &QLineEdit::textEdited, this, typed);
    if (area != nullptr)
        connect(area, &QPlainTextEdit::textChanged, this, [area, typed] { typed(area->toPlainText()); });
}

void FormBinder::bindButtonBox(forms::Control& control, QWidget& widget) {
    auto* button = qobject_cast<QAbstractButton*>(&widget);
    if (button == nullptr) return;
    takeFocusFrom(widget, control);
    auto* check = dynamic_cast<forms::CheckBox*>(&control);
    auto* option = dynamic_cast<forms::OptionButton*>(&control);
    button->setCheckable(true);
    // The model's option group clears the others; Qt's exclusion would do it twice.
    button->setAutoExclusive(false);
    auto value = [check, option] { return check != nullptr ? check->checked() : option->Value(); };
    auto show = [this, &control, &widget, button, value](Property property) {
        if (property == Property::Value) button->setChecked(value());
        else if (property == Property::Caption) button->setText(toQt(control.Caption()));
        else showCommon(control, widget, property);
    };
    showAndWatch(control, {Property::Value, Property::Caption, Property::Enabled,
                           Property::Visible, Property::ToolTipText},
                 show);
    connect(button, &QAbstractButton::clicked, this, [this, check, option, show] {
        userEdit(
            [&] {
                if (check != nullptr) check->click();
                else option->click();
            },
            [&] { show(Property::Value); });
    });
}

void FormBinder::bindComboBox(forms::ComboBox& list, QWidget& widget) {
    auto* combo = qobject_cast<QComboBox*>(&widget);
    if (combo == nullptr) return;
    takeFocusFrom(widget, list);
    auto show = [this, &list, &widget, combo](Property property) {
        if (property == Property::Items) {
            combo->clear();
            for (const std::string& item : list.items()) combo->addItem(toQt(item));
            combo->setCurrentIndex(list.ListIndex());
        } else if (property == Property::ListIndex) {
            combo->setCurrentIndex(list.ListIndex());
        } else {
            showCommon(list, widget, property);
        }
    };
    showAndWatch(list, {Property::Items, Property::Enabled, Property::Visible, Property::ToolTipText},
                 show);
    connect(combo, &QComboBox::activated, this, [this, &list, show](int index) {
        userEdit([&] { list.pick(index); }, [&] { show(Property::ListIndex); });
    });
}

void FormBinder::bindCheckList(forms::CheckList& list, QWidget& widget) {
    auto* view = qobject_cast<QListWidget*>(&widget);
    if (view == nullptr) return;
    takeFocusFrom(widget, list);
    auto showChecks = [&list, view] {
        for (int row = 0; row < view->count(); ++row)
            view->item(row)->setCheckState(list.itemChecked(row) ? Qt::Checked : Qt::Unchecked);
    };
    auto show = [this, &list, &widget, view, showChecks](Property property) {
        if (property == Property::Items) {
            view->clear();
            for (int row = 0; row < list.ListCount(); ++row) {
                auto* item = new QListWidgetItem(toQt(list.List(row)), view);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            }
            showChecks();
            view->setCurrentRow(list.ListIndex());
        } else if (property == Property::ItemChecked) {
            showChecks();
        } else if (property == Property::ListIndex) {
            view->setCurrentRow(list.ListIndex());
        } else {
            showCommon(list, widget, property);
        }
    };
    showAndWatch(list, {Property::Items, Property::Enabled, Property::Visible, Property::ToolTipText},
                 show);
    connect(view, &QListWidget::itemChanged, this, [this, &list, view, show](QListWidgetItem* item) {
        userEdit([&] { list.check(view->row(item), item->checkState() == Qt::Checked); },
                 [&] { show(Property::ItemChecked); });
    });
    connect(view, &QListWidget::currentRowChanged, this, [this, &list, show](int row) {
        userEdit([&] { list.pick(row); }, [&] { show(Property::ListIndex); });
    });
}

void FormBinder::bindCommandButton(forms::CommandButton& button, QWidget& widget) {
    auto* push = qobject_cast<QAbstractButton*>(&widget);
    if (push == nullptr) return;
    takeFocusFrom(widget, button);
    auto show = [this, &button, &widget, push](Property property) {
        if (property == Property::Caption) {
            push->setText(toQt(button.Caption()));
        } else if (property == Property::Default) {
            if (auto* pushButton = qobject_cast<QPushButton*>(push)) pushButton->setDefault(button.Default());
        } else {
            showCommon(button, widget, property);
        }
    };
    showAndWatch(button, {Property::Caption, Property::Default, Property::Picture,
                          Property::Enabled, Property::Visible, Property::ToolTipText},
                 show);
    connect(push, &QAbstractButton::clicked, this, [this, &button] {
        if (form_ != nullptr && !updating()) userAction([&] { button.click(); });
    });
}

void FormBinder::bindTabStrip(forms::TabStrip& strip, QWidget& widget) {
    auto* tabs = qobject_cast<QTabWidget*>(&widget);
    if (tabs == nullptr) return;
    for (int index = 0; index < strip.tabCount(); ++index) {
        forms::Tab& tab = strip.tab(index);
        if (index >= tabs->count()) {
            unbound_ << toQt(tab.Name());
            continue;
        }
        views_[tab.Name()] = tabs->widget(index);
        auto show = [&tab, tabs, index](Property property) {
            if (property == Property::Caption) tabs->setTabText(index, toQt(tab.Caption()));
            else if (property == Property::Enabled) tabs->setTabEnabled(index, tab.Enabled());
            else if (property == Property::Visible) tabs->setTabVisible(index, tab.Visible());
            else if (property == Property::ToolTipText) tabs->setTabToolTip(index, toQt(tab.ToolTipText()));
        };
        showAndWatch(tab, {Property::Caption, Property::Enabled, Property::Visible,
                           Property::ToolTipText},
                     show);
    }
    auto show = [this, &strip, &widget, tabs](Property property) {
        if (property == Property::CurrentTab) tabs->setCurrentIndex(strip.currentTab());
        else showCommon(strip, widget, property);
    };
    showAndWatch(strip, {Property::CurrentTab, Property::Enabled, Property::Visible,
                         Property::ToolTipText},
                 show);
    connect(tabs, &QTabWidget::currentChanged, this, [this, &strip, show](int index) {
        if (form_ != nullptr && index == strip.currentTab()) return;
        userEdit([&] { strip.pick(index); }, [&] { show(Property::CurrentTab); });
    });
}

// ---- Menus, toolbars and status bars, built from the model ----------------------------

void FormBinder::bindMenus() {
    const std::vector<forms::MenuItem*> menus = forms::topLevelMenus(*form_);
    if (menus.empty()) return;
    QMenuBar* bar = nullptr;
    if (auto* main = qobject_cast<QMainWindow*>(&root_)) bar = main->menuBar();
    else bar = root_.findChild<QMenuBar*>();
    if (bar == nullptr) {
        for (forms::MenuItem* menu : menus) unbound_ << toQt(menu->Name());
        return;
    }
    for (forms::MenuItem* item : menus) {
        QMenu* menu = bar->addMenu(QString());
        menu->setObjectName(toQt(forms::viewName(item->Name())));
        menu->setToolTipsVisible(true);
        bindMenuAction(*item, *menu->menuAction());
        fillMenu(*menu, *item);
    }
}

void FormBinder::fillMenu(QMenu& menu, const forms::MenuItem& parent) {
    for (forms::MenuItem* item : parent.items()) {
        if (!item->items().empty()) {
            QMenu* submenu = menu.addMenu(QString());
            submenu->setObjectName(toQt(forms::viewName(item->Name())));
            bindMenuAction(*item, *submenu->menuAction());
            fillMenu(*submenu, *item);
            continue;
        }
        auto* action = new QAction(&menu);
        action->setObjectName(toQt(forms::viewName(item->Name())));
        action->setSeparator(item->isSeparator());
        menu.addAction(action);
        bindMenuAction(*item, *action);
    }
}

void FormBinder::bindMenuAction(forms::MenuItem& item, QAction& action) {
    views_[item.Name()] = &action;
    auto show = [&item, &action, this](Property property) {
        switch (property) {
            case Property::Caption:
                if (!item.isSeparator()) action.setText(toQt(item.Caption()));
                break;
            case Property::Shortcut:
                action.setShortcut(shortcutOf(item.Shortcut()));
                if (!item.Shortcut().empty()) menuShortcuts_ << action.shortcut();
                break;
            case Property::Checked:
                if (item.Checked()) action.setCheckable(true);
                action.setChecked(item.Checked());
                break;
            case Property::Enabled:
                action.setEnabled(item.Enabled());
                break;
            case Property::Visible:
                action.setVisible(item.Visible());
                break;
            case Property::ToolTipText:
                action.setToolTip(item.ToolTipText().empty() ? QString() : toQt(item.ToolTipText()));
                break;
            case Property::Picture:
                action.setIcon(picture(item.Picture()));
                break;
            default:
                break;
        }
    };
    showAndWatch(item, {Property::Caption, Property::Shortcut, Property::Checked,
                        Property::Enabled, Property::Visible, Property::Picture},
                 show);
    if (item.isSeparator() || !item.items().empty()) return;
    // The form may go with the command (Exit).
    connect(&action, &QAction::triggered, this, [this, &item, show] {
        userEdit([&] { item.click(); }, [&] { show(Property::Checked); });
    });
}

void FormBinder::bindToolbars() {
    std::map<std::string, std::vector<forms::ToolbarButton*>> toolbars;
    for (forms::Control* control : form_->controls())
        if (auto* button = dynamic_cast<forms::ToolbarButton*>(control))
            toolbars[arrayElement(button->Name()).first].push_back(button);
    for (auto& [name, buttons] : toolbars) {
        auto* bar = root_.findChild<QToolBar*>(toQt(name));
        if (bar == nullptr) {
            unbound_ << toQt(name);
            continue;
        }
        std::stable_sort(buttons.begin(), buttons.end(),
                         [](auto* a, auto* b) { return a->Index() < b->Index(); });
        for (forms::ToolbarButton* button : buttons) {
            const bool separator = button->style() == forms::ToolbarButton::Style::Separator;
            QAction* action = separator ? bar->addSeparator() : bar->addAction(QString());
            action->setObjectName(toQt(forms::viewName(button->Name())));
            action->setCheckable(button->style() == forms::ToolbarButton::Style::Check);
            views_[button->Name()] = action;
            auto show = [button, action](Property property) {
                switch (property) {
                    case Property::Caption:
                    case Property::ToolTipText:
                        // An icon-only button still needs a text for screen readers.
                        action->setText(toQt(button->Caption().empty() ? button->ToolTipText()
                                                                       : button->Caption()));
                        action->setToolTip(toQt(button->ToolTipText()));
                        break;
                    case Property::Picture:
                        action->setIcon(picture(button->Picture()));
                        break;
                    case Property::Pressed:
                        action->setChecked(button->Pressed());
                        break;
                    case Property::Enabled:
                        action->setEnabled(button->Enabled());
                        break;
                    case Property::Visible:
                        action->setVisible(button->Visible());
                        break;
                    default:
                        break;
                }
            };
            showAndWatch(*button, {Property::Caption, Property::Picture, Property::Pressed,
                                   Property::Enabled, Property::Visible},
                         show);
            if (separator) continue;
            connect(action, &QAction::triggered, this, [this, button, show] {
                userEdit([&] { button->click(); }, [&] { show(Property::Pressed); });
            });
        }
    }
}

void FormBinder::bindStatusBars() {
    std::map<std::string, std::vector<forms::StatusPanel*>> statusBars;
    for (forms::Control* control : form_->controls())
        if (auto* panel = dynamic_cast<forms::StatusPanel*>(control))
            statusBars[arrayElement(panel->Name()).first].push_back(panel);
    for (auto& [name, panels] : statusBars) {
        auto* bar = root_.findChild<QStatusBar*>(toQt(name));
        if (bar == nullptr) {
            unbound_ << toQt(name);
            continue;
        }
        std::stable_sort(panels.begin(), panels.end(), [](auto* a, auto* b) {
            return arrayElement(a->Name()).second < arrayElement(b->Name()).second;
        });
        bool first = true;
        for (forms::StatusPanel* panel : panels) {
            auto* label = new QLabel(bar);
            label->setObjectName(toQt(forms::viewName(panel->Name())));
            label->setTextFormat(Qt::PlainText);
            label->setContentsMargins(4, 0, 4, 0);
            // The first panel takes the room the others leave.
            if (first) bar->addWidget(label, 1);
            else bar->addPermanentWidget(label);
            first = false;
            views_[panel->Name()] = label;
            auto show = [this, panel, label](Property property) {
                if (property == Property::Caption || property == Property::Picture) {
                    if (panel->Picture().empty() || !panel->Text().empty()) {
                        label->setText(toQt(panel->Text()));
                    } else {
                        const int size = label->style()->pixelMetric(QStyle::PM_SmallIconSize);
                        label->setPixmap(picture(panel->Picture()).pixmap(size, size));
                    }
                } else {
                    showCommon(*panel, *label, property);
                }
            };
            showAndWatch(*panel, {Property::Caption, Property::Enabled, Property::Visible,
                                  Property::ToolTipText},
                         show);
        }
    }
}

// The layout's widgets follow the model's tab order.
void FormBinder::applyTabOrder() {
    QWidget* previous = nullptr;
    for (forms::Control* control : form_->tabOrder()) {
        auto* widget = qobject_cast<QWidget*>(viewOf(control->Name()));
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus ||
            focusTargets_.count(widget) == 0)
            continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

// ---- Focus, keys and the window frame -------------------------------------------------

void FormBinder::focusIn(forms::Control& control, int reason) {
    const auto why = static_cast<Qt::FocusReason>(reason);
    const bool userMove = why == Qt::MouseFocusReason || why == Qt::TabFocusReason ||
                          why == Qt::BacktabFocusReason || why == Qt::ShortcutFocusReason ||
                          why == Qt::OtherFocusReason;
    if (userMove || form_->focused() == nullptr) {
        // A window that opens gives its first field the focus: the model adopts it.
        control.SetFocus();
        return;
    }
    // The window came back from a message box or a menu: the model's field keeps the
    // focus, wherever Qt put it.
    forms::Control* focused = form_->focused();
    if (focused == &control) return;
    auto* widget = qobject_cast<QWidget*>(viewOf(focused->Name()));
    if (widget != nullptr && widget->isVisible()) widget->setFocus(Qt::OtherFocusReason);
}

void FormBinder::pressEscape() {
    for (forms::Control* control : form_->controls()) {
        auto* button = dynamic_cast<forms::CommandButton*>(control);
        if (button != nullptr && button->Cancel()) {
            button->click();
            return;
        }
    }
    form_->close();
}

bool FormBinder::eventFilter(QObject* watched, QEvent* event) {
    if (form_ == nullptr) return false;
    switch (event->type()) {
        case QEvent::FocusIn: {
            const auto found = focusTargets_.find(watched);
            if (found != focusTargets_.end() && !updating())
                userAction([&] { focusIn(*found->second, static_cast<QFocusEvent*>(event)->reason()); });
            return false;
        }
        case QEvent::ShortcutOverride: {
            // A text box would take Ctrl+A (select all) for itself; the menu's command wins.
            auto* key = static_cast<QKeyEvent*>(event);
            if (watched != &root_ && menuShortcuts_.contains(QKeySequence(key->keyCombination()))) {
                event->ignore();
                return true;
            }
            return false;
        }
        case QEvent::KeyPress:
            if (watched == &root_ && qobject_cast<QDialog*>(&root_) != nullptr &&
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                return userAction([this] { pressEscape(); }), true;
            return false;
        case QEvent::Close:
            if (watched != &root_) return false;
            // The frame asks the form, which may refuse; unloading closes the window.
            event->ignore();
            userAction([this] { form_->close(); });
            return true;
        default:
            return false;
    }
}

// Qt's event loop must never see an exception: an error a handler raised is shown, and
// the program keeps running.
void FormBinder::userAction(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        platform::ui().messageBox(error.what(), platform::MsgBoxButtons::OKOnly,
                                  platform::MsgBoxIcon::Critical,
                                  fromQt(QApplication::applicationName()));
    }
}

FormBinder& bindForm(forms::Form& form, QWidget& root) { return *new FormBinder(form, root); }

}  // namespace qtkit
