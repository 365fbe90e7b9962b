// Where the windows stand: every form, message box and input box inside the
// screen's available area at whatever scale Qt runs (ctest runs this suite
// again at QT_SCALE_FACTOR 1.5 and 2 on a 1280x1024 screen), the forms
// transient for the main window instead of above every program, and a form put away to the task bar back when the
// main window is activated.
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "qt/qt_fixture.h"
#include "text/encoding.h"
#include "ui/qt/input_dialog.h"
#include "ui/qt/message_dialog.h"

namespace headly::test {
namespace {

constexpr const char* kForms[] = {"MAINFORM", "FORM2", "FORM3", "FORM4", "FORM5"};

// The window with its frame: the one the window system drew, or where there
// is none, the classic frame the forms are measured with.
QRect outerOf(const QWidget* window, bool sizing) {
  if (window->frameGeometry() != window->geometry()) return window->frameGeometry();
  const int border = sizing ? 4 : 3;
  return window->geometry().marginsAdded({border, border + 19, border, border});
}

class QtPlacement : public QtWindows {
 protected:
  void expectOnScreen(const QWidget* window, const std::string& what, bool sizing = false) {
    const QRect area = window->screen()->availableGeometry();
    const QRect outer = outerOf(window, sizing);
    EXPECT_TRUE(area.contains(outer)) << what << ": " << outer.x() << ',' << outer.y() << ' ' << outer.width() << 'x'
                                      << outer.height() << " outside " << area.width() << 'x' << area.height()
                                      << " at scale " << qgetenv("QT_SCALE_FACTOR").toStdString();
  }
};

TEST_F(QtPlacement, EveryFormIsInsideTheScreen) {
  for (const char* form : kForms) {
    ui.setVisible(form, true);
    QApplication::processEvents();
    expectOnScreen(backend.widget(form), form, findForm(form)->frame == FrameStyle::SizingNoMenu);
  }
  // The forms keep their catalogue places where those fit.
  const QRect area = backend.widget("FORM3")->screen()->availableGeometry();
  if (area.width() >= 1280 && area.height() >= 1024) {
    EXPECT_EQ(backend.widget("FORM3")->pos(), QPoint(365, 190));
  }
  // The scaled runs have the 1280-wide screen they ask for.
  if (const double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(); scale > 0) {
    EXPECT_EQ(area.width(), qRound(1280 / scale));
  }
}

TEST_F(QtPlacement, DialogsAreInsideTheScreen) {
  ui.setVisible("FORM5", true);
  ui.setTopMost("FORM5", true);
  backend.modals().queueAnswer([this](QDialog& box) {
    expectOnScreen(&box, "message box");
    box.close();
  });
  ui.messageBox(sjis("フォルダの作成"), sjis("作成するフォルダ名を入力してください。"), Buttons::Ok, Icon::Exclamation);
  backend.modals().queueAnswer([this](QDialog& box) {
    expectOnScreen(&box, "input box");
    box.reject();
  });
  ui.inputBox(sjis("レコード数の最大域は？"), sjis("最大レコード数より大きく設定"), "500");
}

TEST_F(QtPlacement, FormsBelongToTheMainWindowAndStayAboveItOnly) {
  QWindow* main = backend.widget("MAINFORM")->windowHandle();
  ASSERT_NE(main, nullptr);
  for (const char* form : {"FORM2", "FORM3", "FORM4", "FORM5"}) {
    ui.setTopMost(form, true);
    QWidget* widget = backend.widget(form);
    ASSERT_NE(widget->windowHandle(), nullptr) << form;
    EXPECT_EQ(widget->windowHandle()->transientParent(), main) << form;
    EXPECT_FALSE(widget->windowFlags() & Qt::WindowStaysOnTopHint) << form;
    ui.setTopMost(form, false);
    EXPECT_TRUE(ui.isVisible(form)) << form;
    ui.setVisible(form, false);
  }
}

TEST_F(QtPlacement, MinimisedFormComesBackWhenTheMainWindowIsActivated) {
  ui.setTopMost("FORM4", true);
  QWidget* form4 = backend.widget("FORM4");
  form4->showMinimized();
  ASSERT_TRUE(form4->isMinimized());
  QWidget* main = backend.widget("MAINFORM");
  QApplication::setActiveWindow(main);
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(main, &activate);
  EXPECT_FALSE(form4->isMinimized());
  EXPECT_TRUE(ui.isVisible("FORM4"));
  // A form the program has put away stays hidden.
  ui.setVisible("FORM4", false);
  QApplication::sendEvent(main, &activate);
  EXPECT_FALSE(ui.isVisible("FORM4"));
}

}  // namespace
}  // namespace headly::test
