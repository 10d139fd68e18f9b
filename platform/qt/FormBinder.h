#pragma once
// Binds a window model (forms::Form) to a Qt widget tree in both directions, so a
// window's layout holds no behaviour: the model stays the one source of truth.
//
// How to bind a form:
//     auto window = qtkit::makeWindow<Ui::frmAbout, QDialog>();  // a .ui compiled by uic
//     qtkit::FormBinder& binder = qtkit::bindForm(form, *window); // owned by the window
// Usually the user-interface service (QtUserInterface) does both when a form is shown:
// register a maker per form name and call form.ShowModal() or form.ShowModeless().
//
// The layout's rules:
// - A widget's objectName is its control's name; an element of a control array,
//   "mnuFileRecent(1)", is named "mnuFileRecent_1" (forms::viewName).
// - Text boxes are QLineEdit, or QPlainTextEdit for multi-line ones; check boxes
//   QCheckBox; option buttons QRadioButton (the model's group decides, not Qt's
//   auto-exclusion); drop-down lists QComboBox; check lists QListWidget; command
//   buttons QPushButton; labels QLabel; frames QGroupBox; a tab strip a QTabWidget with
//   one page per tab; any other control binds as a plain QWidget.
// - Menus come from the model's menu tree: the binder fills the window's QMenuBar (a
//   QMainWindow's own, or the first QMenuBar below the root).
// - Toolbar buttons of the array "NAME" fill the QToolBar named NAME, and the status
//   panels of the array "NAME" the QStatusBar named NAME, in index order.
// Captions, tool tips, shortcuts, pictures and states come from the model, never from
// the layout.
//
// A user's edit goes to the model's user-side entry points (type, click, pick, check),
// which raise the handlers once; the binder then shows the model's state again, so an
// edit the model refused (a disabled control) does not stay on screen. Changes the model
// makes reach the widgets through its change notifications. Moving the focus into a
// field moves the model's focus, which raises the leave-field event of the field left;
// focus changes a message box or a menu causes are not moves. Menu shortcuts win over a
// text box's own keys (Ctrl+A runs the menu command, not "select all").

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QStringList>
#include <initializer_list>
#include <map>
#include <memory>

#include "platform/forms/Form.h"

class QWidget;
class QAction;
class QMenu;

namespace forms {
class TextBox;
class CheckBox;
class OptionButton;
class ComboBox;
class CheckList;
class CommandButton;
class TabStrip;
class MenuItem;
}  // namespace forms

namespace qtkit {

class FormBinder : public QObject {
  public:
    // Binds FORM to the widgets below ROOT (ROOT's window title shows the caption).
    FormBinder(forms::Form& form, QWidget& root);
    ~FormBinder() override;

    forms::Form* form() const { return form_; }
    QWidget& root() const { return root_; }
    // Names of the form's controls the layout has no widget for.
    const QStringList& unboundControls() const { return unbound_; }
    // The widget (or action) showing CONTROLNAME, or nullptr.
    QObject* viewOf(const std::string& controlName) const;

    // The form is going (unloaded or destroyed): from now on the binder touches neither
    // the form nor its controls, and the window frame closes without asking it.
    void detach();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void bindControls();
    void bindControl(forms::Control& control, QWidget& widget);
    void bindTextBox(forms::TextBox& box, QWidget& widget);
    void bindButtonBox(forms::Control& control, QWidget& widget);
    void bindComboBox(forms::ComboBox& list, QWidget& widget);
    void bindCheckList(forms::CheckList& list, QWidget& widget);
    void bindCommandButton(forms::CommandButton& button, QWidget& widget);
    void bindTabStrip(forms::TabStrip& strip, QWidget& widget);
    void bindMenus();
    void fillMenu(QMenu& menu, const forms::MenuItem& parent);
    void bindMenuAction(forms::MenuItem& item, QAction& action);
    void bindToolbars();
    void bindStatusBars();
    void applyTabOrder();
    // Watches CONTROL for the binder's lifetime: SHOW(property) runs for each change.
    void watch(forms::Control& control, std::function<void(forms::Property)> show);
    // Shows PROPERTIES of CONTROL through SHOW now, then watches it with SHOW.
    void showAndWatch(forms::Control& control, std::initializer_list<forms::Property> properties,
                      std::function<void(forms::Property)> show);
    // Hands a user's edit to the model (unless the binder itself caused the signal or the
    // form is gone), then RESHOW puts the model's state back into the widget, so an edit
    // the model refused or changed does not stay on screen.
    void userEdit(const std::function<void()>& edit, const std::function<void()>& reshow);
    // Focus moving into WIDGET moves the model's focus to CONTROL.
    void takeFocusFrom(QWidget& widget, forms::Control& control);
    // Common properties (enabled, visible, tool tip, focus) of a control drawn by WIDGET.
    void showCommon(const forms::Control& control, QWidget& widget, forms::Property property);
    void focusIn(forms::Control& control, int reason);
    void pressEscape();
    void userAction(const std::function<void()>& action);
    // True while the binder itself puts model state into widgets, so the signals that
    // causes are not taken for user edits.
    bool updating() const { return updating_ > 0; }

    forms::Form* form_;
    QWidget& root_;
    std::shared_ptr<bool> alive_;
    int updating_ = 0;
    QStringList unbound_;
    std::map<std::string, QObject*> views_;
    std::map<QObject*, forms::Control*> focusTargets_;
    QList<QKeySequence> menuShortcuts_;

    friend class Updating;
};

// Binds FORM to ROOT; the binder belongs to ROOT and goes with it.
FormBinder& bindForm(forms::Form& form, QWidget& root);

// A window made from a layout compiled by uic: WINDOW (QDialog, QMainWindow, QWidget)
// set up by the layout class UI.
template <class Ui, class Window>
std::unique_ptr<QWidget> makeWindow() {
    auto window = std::make_unique<Window>();
    Ui layout;
    layout.setupUi(window.get());
    return window;
}

}  // namespace qtkit
