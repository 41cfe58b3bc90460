// The responder loop behind "Start": answers written to the port, trace lines in the
// lower pane, edit boxes read for every request, the ways the loop ends, and the
// commands that run while it waits for a poll.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "app/testing/model_port_rig.h"
#include "app/testing/shell.h"
#include "app/widgets/cp1251.h"
#include "app/widgets/text_pane.h"

using tarvex::testing::FakePort;
using tarvex::testing::Shell;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A line whose peer never answers: the test injects the controller's polls.
FakePort* QuietPort(Shell& shell) {
  auto port = std::make_unique<FakePort>(shell.clock, [](const Bytes&) { return std::vector<tarvex::testing::Chunk>{}; });
  FakePort* raw = port.get();
  shell.form->link.PortHandle = std::move(port);
  shell.form->ok->show();
  return raw;
}

Bytes Poll(std::uint8_t address, std::uint8_t function) {
  Bytes request(36, 0);
  request[0] = 0xAA;
  request[1] = address;
  request[3] = function;
  return request;
}

// Runs the steps one after the other while the loop pumps messages; a step returns
// false until it is done (a timer never fires inside its own handler, so a command
// that a step runs pumps without starting the next one). A loop that has not
// finished them within 10 s is abandoned.
class Script {
 public:
  explicit Script(Shell& shell, std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (!finished() && steps_[next_]()) ++next_;
    });
    timer_.start(0);
    QObject::connect(&watchdog_, &QTimer::timeout, [&shell] { shell.form->hooks.SetClosing(); });
    watchdog_.setSingleShot(true);
    watchdog_.start(10000);
  }
  bool finished() const { return next_ == steps_.size(); }

 private:
  std::vector<std::function<bool()>> steps_;
  std::size_t next_ = 0;
  QTimer timer_;
  QTimer watchdog_;
};

QStringList PaneLines(const tarvex::TextPane& pane) {
  return tarvex::FromCp1251(pane.Text()).split("\r\n", Qt::SkipEmptyParts);
}

}  // namespace

class TForm1ResponderTest : public QObject {
  Q_OBJECT
 private slots:
  void AnswersPollsWithTheBoxesAsTheyAreAtEachRequest() {
    Shell shell;
    tarvex::TForm1& form = *shell.form;
    FakePort* port = QuietPort(shell);
    form.add1->setText("90");
    form.add2->setText("-30");
    form.day->setText("300");
    Bytes report = Poll(3, 10);
    report[4] = 2;
    for (std::size_t offset : {22u, 26u, 30u}) report[offset] = 0x3F, report[offset + 1] = 0x80;

    Script script(shell, {
        [&] { port->Inject(Poll(1, 1)); return true; },
        [&] {
          if (port->writes.size() < 1) return false;
          // Takes effect at the next request, typed while the loop waits.
          form.add1->setText("0");
          port->Inject(Poll(1, 1));
          return true;
        },
        [&] {
          if (port->writes.size() < 2) return false;
          port->Inject(Poll(3, 1));
          return true;
        },
        [&] {
          if (port->writes.size() < 3) return false;
          port->Inject(report);
          return true;
        },
        [&] {
          if (port->writes.size() < 4) return false;
          form.close();
          return true;
        },
    });
    form.Button2->click();

    QVERIFY(script.finished());
    QCOMPARE(shell.exit_codes, std::vector<int>{0});
    QVERIFY(!form.CommandRunning);
    QCOMPARE(port->writes.size(), std::size_t{4});
    const auto clock_of = [&](std::size_t i) {
      const Bytes& answer = port->writes[i];
      return std::vector<int>{answer[1], answer[57], answer[59], answer[60], answer[61]};
    };
    QCOMPARE(port->writes[0].size(), std::size_t{165});
    QCOMPARE(clock_of(0), (std::vector<int>{1, 44, 10, 16, 50}));
    QCOMPARE(clock_of(1), (std::vector<int>{1, 44, 10, 15, 20}));
    QCOMPARE(clock_of(2), (std::vector<int>{3, 44, 10, 14, 50}));
    QCOMPARE(port->writes[3], (Bytes{0x55, 0x03, 0x06, 0x83, 0xA3, 0xE9}));
    QCOMPARE(PaneLines(*form.Memo), (QStringList{"1>   min: 16sec:50", "1>   min: 15sec:20",
                                                 "3>   min: 14sec:50", "3>   min: 14sec:50",
                                                 QString::fromUtf8("3,нитка 2  22>   f: 1"),
                                                 "3  26>   f: 1", "3  30>   f: 1", "--->   min: 15sec:20"}));
  }

  void CommandsRunWhileTheLoopWaitsButNotASecondStart() {
    tarvex::testing::ModelPortRig rig;
    tarvex::TForm1& form = rig.form();
    const auto traced = [&form](qsizetype lines) { return PaneLines(*form.Memo).size() >= lines; };
    bool second_start_returned = false;
    Script script(rig.shell, {
        [&] { rig.port().Inject(Poll(1, 1)); return true; },
        [&] {
          // The poll is answered and traced: the loop waits for the next one.
          if (!traced(1)) return false;
          // The count query runs, and a second "Start" is refused (its own loop
          // would not return before the window closes). The wait starts afresh.
          form.ButContCount->click();
          form.Button2->click();
          second_start_returned = true;
          rig.port().Inject(Poll(2, 1));
          return true;
        },
        [&] {
          if (!traced(2)) return false;
          rig.port().Inject({0xAA, 0x03});
          return true;
        },
        // A query while those bytes are being read purges the line and reuses the
        // frame: what was read is dropped, not answered as a request.
        [&] { form.ButContCount->click(); return true; },
        [&] { form.close(); return true; },
    });
    form.Button2->click();

    QVERIFY(script.finished());
    QVERIFY(second_start_returned);
    QVERIFY(!form.CommandRunning);
    // Answers and queries in turn; the query reached the controller and its answer
    // reached the pane.
    QCOMPARE(rig.writes().size(), std::size_t{4});
    for (std::size_t i : {0u, 2u}) QCOMPARE(rig.writes()[i].size(), std::size_t{165});
    for (std::size_t i : {1u, 3u}) QCOMPARE(int{rig.writes()[i][6]}, 28);
    QCOMPARE(form.Memo1->Text(), std::string("OK=300"));
    QVERIFY(rig.OkShown());
    QCOMPARE(PaneLines(*form.Memo), (QStringList{"1>   min: 15sec:20", "2>   min: 15sec:20"}));
  }

  void ConversionErrorEndsTheLoop_data() {
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("add1");
    QTest::addColumn<QString>("error");
    QTest::newRow("day") << "x" << "0" << "'x' is not a valid integer value";
    QTest::newRow("shift of an hour") << "28" << "3600" << "Invalid argument to time encode";
  }
  void ConversionErrorEndsTheLoop() {
    QFETCH(QString, day);
    QFETCH(QString, add1);
    QFETCH(QString, error);
    Shell shell;
    FakePort* port = QuietPort(shell);
    shell.form->day->setText(day);
    shell.form->add1->setText(add1);
    Script script(shell, {[&] { port->Inject(Poll(1, 1)); return true; }});
    shell.form->Button2->click();

    QCOMPARE(shell.dialogs.errors, QStringList{error});
    QVERIFY(port->writes.empty());
    QVERIFY(shell.form->Memo->Text().empty());
    QVERIFY(!shell.form->CommandRunning);
  }
};

QTEST_MAIN(TForm1ResponderTest)
#include "tform1_responder_test.moc"
