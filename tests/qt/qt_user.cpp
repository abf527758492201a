// The user of the stories on Qt: the program runs on the main thread as it does for a user, and
// the story beside it on a thread of its own, sending the keys and clicks a person would and
// looking at the widgets between the program's events.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <mutex>

#include "exercise/frm_werk.h"
#include "platform/program.h"
#include "platform/qt/qt_backend.h"
#include "startup/forms.h"
#include "tests/scenario/story_thread.h"
#include "tests/scenario/user.h"

namespace lv::user {

namespace {

// Runs `act` on the program's thread once its loop comes to it, without waiting for it.
void later(std::function<void()> act) {
  QMetaObject::invokeMethod(qApp, std::move(act), Qt::QueuedConnection);
}

// Every event sent before has been handled, or has opened a window that now waits.
void handled() {
  look([] {});
}

// The window in front, which has the keyboard. Offscreen there is no window manager to make a
// window active again when the one before it goes, as a message box does.
QWidget* window_in_front() {
  QWidget* active = QApplication::activeWindow();
  return active ? active : QApplication::activeModalWidget();
}

// The keyboard's clock: X time stamps, one of its own for every key (the program takes a press
// at the very moment of a release for a repeat).
quint64 key_moment = 1'000'000;

void send_key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text,
              bool repeat) {
  later([=] {
    QWidget* front = window_in_front();
    QWindow* window = front ? front->windowHandle() : nullptr;
    if (!window) return;
    QKeyEvent event(type, key, modifiers, text, repeat);
    event.setTimestamp(key_moment += 10);
    QCoreApplication::sendEvent(window, &event);
  });
}

int qt_key(Key key) {
  switch (key) {
    case Key::tab:
      return Qt::Key_Tab;
    case Key::enter:
      return Qt::Key_Return;
    case Key::space:
      return Qt::Key_Space;
    case Key::escape:
      break;
  }
  return Qt::Key_Escape;
}

QString text_of(Key key) {
  switch (key) {
    case Key::tab:
      return "\t";
    case Key::enter:
      return "\r";
    case Key::space:
      return " ";
    case Key::escape:
      break;
  }
  return "\x1b";
}

// A character's key, down and up.
void character(char typed, Qt::KeyboardModifiers modifiers) {
  const QChar c = QChar::fromLatin1(typed);
  const int key = c.isLetter() ? Qt::Key_A + (c.toLower().unicode() - 'a') : c.unicode();
  const QString text = modifiers == Qt::NoModifier ? QString(c) : QString();
  send_key(QEvent::KeyPress, key, modifiers, text, false);
  send_key(QEvent::KeyRelease, key, modifiers, text, false);
  handled();
}

QMessageBox* message_box() {
  return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

}  // namespace

void run_program(const std::function<void()>& story) {
  // Once a program has ended Qt runs no event loop again, until the application's own has run.
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
  run_beside_the_program(story, [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); });
}

void look(const std::function<void()>& look_at) {
  if (QThread::currentThread() == qApp->thread()) {
    look_at();
  } else {
    QMetaObject::invokeMethod(qApp, look_at, Qt::BlockingQueuedConnection);
  }
}

void hold(Key key) {
  send_key(QEvent::KeyPress, qt_key(key), Qt::NoModifier, text_of(key), false);
  handled();
}
void repeat(Key key, int times) {
  for (int i = 0; i < times; ++i) {
    send_key(QEvent::KeyPress, qt_key(key), Qt::NoModifier, text_of(key), true);
  }
  handled();
}
void release(Key key) {
  send_key(QEvent::KeyRelease, qt_key(key), Qt::NoModifier, text_of(key), false);
  handled();
}
void press_letter(char letter) {
  character(letter, Qt::NoModifier);
}
void press_alt(char letter) {
  character(letter, Qt::AltModifier);
}
void type(const std::string& text) {
  for (const char typed : text) character(typed, Qt::NoModifier);
}

void click(ui::Button& button) {
  later([&button] { QTest::mouseClick(qt::widget(button), Qt::LeftButton); });
  handled();
}

void close(ui::Window& window) {
  later([&window] { qt::widget(window)->close(); });
  handled();
}

std::string answer_message() {
  if (!wait_until([] { return message_box() != nullptr; })) return {};
  const std::string text = see([] { return message_box()->text().toStdString(); });
  later([] {
    if (QMessageBox* box = message_box()) box->button(QMessageBox::Ok)->click();
  });
  wait_until([] { return message_box() == nullptr; });
  return text;
}

const ui::Control* focused() {
  const QWidget* front = window_in_front();
  const QWidget* focus = front ? front->focusWidget() : nullptr;
  for (const ui::Window* window : ui::program().windows()) {
    for (const ui::Control* control : ui::program().controls(*window)) {
      if (qt::widget(*control) == focus) return control;
    }
  }
  return nullptr;
}

bool text_selected(const ui::EditField& field) {
  const auto* edit = static_cast<const QLineEdit*>(qt::widget(field));
  return edit->hasSelectedText() && edit->selectedText() == edit->text();
}

int waits_nested() {
  return QThread::currentThread()->loopLevel();
}

// Notes every time the syllable or the rest picture is shown or hidden.
struct Watch::Notes : QObject {
  Notes() {
    frm_werk& werk = forms::werk();
    syllable = qt::widget(werk.txt_string);
    picture = qt::widget(werk.Picture1);
    qApp->installEventFilter(this);
  }

  bool eventFilter(QObject* receiver, QEvent* event) override {
    const bool show = event->type() == QEvent::Show;
    if ((show || event->type() == QEvent::Hide) && (receiver == syllable || receiver == picture)) {
      const frm_werk& werk = forms::werk();
      const std::lock_guard lock(mutex);
      changes.push_back({clock_ms(),
                         receiver == syllable ? Change::What::syllable : Change::What::picture,
                         show, werk.txt_string.text(), werk.Label3.text(), werk.Label1.text()});
    }
    return false;
  }

  QObject* syllable;
  QObject* picture;
  std::mutex mutex;
  std::vector<Change> changes;
};

Watch::Watch() {
  look([this] { notes_ = std::make_unique<Notes>(); });
}

Watch::~Watch() {
  look([this] { notes_.reset(); });  // which takes it off the application
}

std::vector<Change> Watch::changes() const {
  const std::lock_guard lock(notes_->mutex);
  return notes_->changes;
}

}  // namespace lv::user
