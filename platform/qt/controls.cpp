#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <limits>

#include "platform/program.h"
#include "platform/qt/qt_widgets.h"

namespace lv::qt {

PushButton::PushButton(const QString& caption, QWidget* parent)
    : QPushButton(parent), caption_(caption) {
  setAutoDefault(false);
  show_caption(caption);
}

// Qt would make the marked letter a shortcut of its own, pressed by its repeats too.
void PushButton::show_caption(const QString& text) {
  setText(text);
  setShortcut(QKeySequence());
}

void PushButton::resizeEvent(QResizeEvent* event) {
  QPushButton::resizeEvent(event);
  wrap_caption();
}

void PushButton::changeEvent(QEvent* event) {
  QPushButton::changeEvent(event);
  if (event->type() == QEvent::FontChange) wrap_caption();  // the layout was scaled
}

void PushButton::wrap_caption() {
  const QFontMetrics metrics(font());
  const int room = width() - 2 * style()->pixelMetric(QStyle::PM_ButtonMargin);
  const auto fits = [&](const QString& line) {
    return metrics.horizontalAdvance(QString(line).remove('&')) <= room;
  };
  // Words keep the blanks between them on a line; the blanks at a break go.
  static const QRegularExpression word(QStringLiteral("\\S+"));
  QStringList lines;
  QString line;
  qsizetype line_end = 0;
  for (auto it = word.globalMatch(caption_); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    const QString longer =
        line + caption_.mid(line_end, match.capturedStart() - line_end) + match.captured();
    if (!line.isEmpty() && !fits(longer)) {
      lines << line;
      line = match.captured();
    } else {
      line = longer;
    }
    line_end = match.capturedEnd();
  }
  lines << line;
  show_caption(lines.join('\n'));
}

// Qt's styles draw the focus frame only once the window has seen the Tab key. Space and Enter
// press the focused button all the same, so a window that opens with the focus on "Einde", or a
// button focused by a click, must show it: otherwise one Space ends the program unannounced.
void PushButton::initStyleOption(QStyleOptionButton* option) const {
  QPushButton::initStyleOption(option);
  if (option->state & QStyle::State_HasFocus) option->state |= QStyle::State_KeyboardFocusChange;
}

namespace {

std::unique_ptr<ui::Control::Impl> place_widget(QWidget* widget, std::string name,
                                                const ui::Twips& place, bool visible) {
  widget->setObjectName(QString::fromStdString(name));
  static_cast<FormWidget*>(widget->parentWidget())->place(widget, place);
  widget->setVisible(visible);
  return std::unique_ptr<ui::Control::Impl>(new ui::Control::Impl{std::move(name), widget});
}

QWidget* parent_of(ui::Window& window) {
  return window.impl().widget.get();
}

QLabel* label(const ui::Control& control) {
  return static_cast<QLabel*>(control.impl().widget.data());
}
QLineEdit* line_edit(const ui::Control& control) {
  return static_cast<QLineEdit*>(control.impl().widget.data());
}

QLabel* new_label(ui::Window& window, const std::string& text) {
  auto* label = new QLabel(QString::fromStdString(text), parent_of(window));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QLineEdit* new_line_edit(ui::Window& window) {
  QWidget* parent = parent_of(window);
  auto* edit = new QLineEdit(parent);
  edit->setFrame(true);
  // Qt's default limit of 32767 characters would cut a long paste silently and leave the tail,
  // say "20" of "...2000", to be read as the number.
  edit->setMaxLength(std::numeric_limits<int>::max());
  // Screen readers name the field after the static text created just before it.
  const QObjectList& made = parent->children();
  for (auto it = made.rbegin(); it != made.rend(); ++it) {
    if (*it == edit || !(*it)->isWidgetType()) continue;
    auto* label = qobject_cast<QLabel*>(*it);
    if (label && label->pixmap().isNull()) label->setBuddy(edit);
    break;
  }
  return edit;
}

QLabel* new_picture(ui::Window& window, const std::string& picture) {
  auto* box = new QLabel(parent_of(window));
  box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  box->setLineWidth(1);
  box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  box->setPixmap(QPixmap(QString::fromStdString(":/" + picture + ".bmp")));
  box->setFocusPolicy(Qt::StrongFocus);  // a picture box is a tab stop while it is shown
  return box;
}

}  // namespace

}  // namespace lv::qt

namespace lv::ui {

Control::Control(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Control::~Control() {
  program().remove(*this);
  delete impl_->widget;
}

void Control::set_visible(bool visible) {
  impl_->widget->setVisible(visible);
}
// Whether the control itself is shown, even while its window is not.
bool Control::visible() const {
  return !impl_->widget->isHidden();
}
const std::string& Control::name() const {
  return impl_->name;
}

Label::Label(Window& window, std::string name, Twips place, std::string text, bool visible)
    : Control(qt::place_widget(qt::new_label(window, text), std::move(name), place, visible)) {
  program().add(*this, window, ControlKind::label);
}
void Label::set_text(const std::string& text) {
  qt::label(*this)->setText(QString::fromStdString(text));
}
std::string Label::text() const {
  return qt::label(*this)->text().toStdString();
}

void Label::set_font(const Font& font) {
  QLabel* label = qt::label(*this);
  QFont qfont = label->font();
  // Where the face is missing, a clear bold sans-serif stands in.
  qfont.setFamilies(qt::font_families(QString::fromStdString(font.face),
                                      {"DejaVu Sans", "Liberation Sans", "Arial"}));
  qfont.setStyleHint(QFont::SansSerif);
  qfont.setBold(font.bold);
  label->setFont(qfont);
  // Its size is set with the window's layout, and follows it.
  static_cast<qt::FormWidget*>(label->parentWidget())->set_points(label, font.points);
}

void Label::set_alignment(Align align) {
  qt::label(*this)->setAlignment((align == Align::centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                                 Qt::AlignTop);
}

EditField::EditField(Window& window, std::string name, Twips place)
    : Control(qt::place_widget(qt::new_line_edit(window), std::move(name), place, true)) {
  program().add(*this, window, ControlKind::edit_field);
}
void EditField::set_text(const std::string& text) {
  qt::line_edit(*this)->setText(QString::fromStdString(text));
}
std::string EditField::text() const {
  return qt::line_edit(*this)->text().toStdString();
}
void EditField::focus_with_text_selected() {
  QLineEdit* edit = qt::line_edit(*this);
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
}

Button::Button(Window& window, std::string name, Twips place, std::string caption)
    : Control(qt::place_widget(
          new qt::PushButton(QString::fromStdString(caption), qt::parent_of(window)),
          std::move(name), place, true)) {
  program().add(*this, window, ControlKind::button);
  QObject::connect(static_cast<QPushButton*>(impl().widget.data()), &QPushButton::clicked,
                   [this] { program().run(on_click); });
}
std::string Button::caption() const {
  return static_cast<qt::PushButton*>(impl().widget.data())->caption().toStdString();
}

PictureBox::PictureBox(Window& window, std::string name, Twips place, std::string picture,
                       bool visible)
    : Control(qt::place_widget(qt::new_picture(window, picture), std::move(name), place, visible)) {
  program().add(*this, window, ControlKind::picture_box);
}

}  // namespace lv::ui
