// Long work in the main window: a bar with the count (and the total where it
// is known) in the body, painted while the work holds the event loop and
// advancing with it; and a close during the work that keeps the window in
// view, saying so, until the program reaches its next question.
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QThread>

#include "qt/qt_fixture.h"
#include "text/encoding.h"
#include "ui/qt/event_watcher.h"
#include "ui/qt/progress_panel.h"

namespace headly::test {
namespace {

class QtProgress : public QtWindows {
 protected:
  const ProgressPanel& panel() { return *backend.progressPanel(); }
  // Progress is shown at most ten times a second.
  void report(const char* text, int64_t done, int64_t total) {
    QThread::msleep(110);
    ui.showProgress(sjis(text), done, total);
  }
};

TEST_F(QtProgress, BarAdvancesWithTheCountAndIsPaintedAtOnce) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(backend.widget("MAINFORM")));
  int paints = 0;
  const EventWatcher painted(const_cast<QProgressBar*>(panel().bar()), [&paints](QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  });
  EXPECT_FALSE(panel().isVisible());
  report("レイアウトの書き込み中　4096 / 40960件", 4096, 40960);
  ASSERT_TRUE(panel().isVisible());
  EXPECT_EQ(panel().text(), QStringLiteral("レイアウトの書き込み中　4096 / 40960件"));
  const int first = panel().bar()->value();
  EXPECT_EQ(first * 10, panel().bar()->maximum());
  EXPECT_GE(paints, 1);  // without a turn of the event loop
  const int paintedBefore = paints;
  report("レイアウトの書き込み中　20480 / 40960件", 20480, 40960);
  EXPECT_EQ(panel().bar()->value() * 2, panel().bar()->maximum());
  EXPECT_GT(paints, paintedBefore);
  // Inside the body of the main window, in front of the drawing.
  const QWidget* main = backend.widget("MAINFORM");
  EXPECT_EQ(panel().parentWidget(), main);
  EXPECT_TRUE(main->rect().contains(panel().geometry()));
  report("", 0, -1);
  EXPECT_FALSE(panel().isVisible());
  EXPECT_EQ(main->windowTitle(), QStringLiteral("データ見出しツールＨＥＡＤＬＹ V４"));
}

TEST_F(QtProgress, CountAloneWhenTheTotalIsUnknown) {
  report("データの読み込み中　8192件", 8192, -1);
  ASSERT_TRUE(panel().isVisible());
  EXPECT_EQ(panel().bar()->maximum(), 0);  // busy
  report("データの読み込み中　12288件", 12288, -1);
  EXPECT_EQ(panel().text(), QStringLiteral("データの読み込み中　12288件"));
}

TEST_F(QtProgress, CloseDuringTheWorkKeepsTheWindowUntilTheNextQuestion) {
  QWidget* main = backend.widget("MAINFORM");
  report("ＣＳＶファイルの書き込み中　4096 / 8192件", 4096, 8192);
  // The window manager's close arrives while the work looks at its messages.
  QMetaObject::invokeMethod(main, &QWidget::close, Qt::QueuedConnection);
  QThread::msleep(20);
  ui.pollMessages();
  EXPECT_TRUE(ui.mainWindowIsClosed());
  EXPECT_TRUE(main->isVisible());
  EXPECT_TRUE(panel().isVisible());
  EXPECT_EQ(panel().note(), QStringLiteral("終了します。処理が終わるまでお待ちください。"));
  EXPECT_THROW(ui.waitForEvent(), MainWindowClosed);
}

TEST_F(QtProgress, CloseWhileWaitingForTheUserClosesAtOnce) {
  QWidget* main = backend.widget("MAINFORM");
  QMetaObject::invokeMethod(main, &QWidget::close, Qt::QueuedConnection);
  EXPECT_THROW(ui.waitForEvent(), MainWindowClosed);
  EXPECT_FALSE(main->isVisible());
  EXPECT_TRUE(panel().note().isEmpty());
}

}  // namespace
}  // namespace headly::test
