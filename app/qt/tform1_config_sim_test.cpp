// The configuration and script buttons against the simulated controller served on a
// pseudo-terminal: the real port, the real clock, the controller keeping what it gets.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/testing/files.h"
#include "app/testing/shell.h"
#include "app/qt/cp1251.h"
#include "app/qt/text_pane.h"
#include "sim/model/fault.h"
#include "sim/pty/pty_server.h"

using tarvex::testing::FileBytes;
using tarvex::testing::PutFile;
using tarvex::testing::Shell;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A configuration of at least `size` bytes in code page 1251: Cyrillic keys (Ё and ё
// included), numbers, CR LF lines.
std::string RussianConfiguration(std::size_t size) {
  std::string text = "{\r\n";
  for (int i = 0; text.size() < size; ++i) {
    text += "  \"";
    for (int k = 0; k < 12; ++k) text += static_cast<char>(0xC0 + (i * 7 + k * 5) % 64);
    text += (i % 2 != 0) ? "\xA8" : "\xB8";
    text += "\": \"\xE7\xED\xE0\xF7\xE5\xED\xE8\xE5 " + std::to_string(i) + "\",\r\n";
  }
  return text + "  \"end\": 0\r\n}";
}

// Replies unpaced: the real clock's end-of-reply silence is wait enough.
tarvex::sim::PtyOptions LinkIn(const QTemporaryDir& dir) {
  tarvex::sim::PtyOptions options;
  options.link_path = dir.filePath("tty").toStdString();
  return options;
}

// The window with its port open on the simulator.
class Simulator {
 public:
  explicit Simulator(const tarvex::sim::ModelOptions& options = {}) : model(options) {
    server.Start();
    shell.form->Edit1->setText(QString::fromStdString(server.link_path()));
    shell.form->OpenCom->click();
  }

  tarvex::TForm1& form() { return *shell.form; }
  QStringList TraceLines() const {
    return tarvex::FromCp1251(shell.form2->Memo->Text()).split("\r\n", Qt::SkipEmptyParts);
  }
  template <typename Fn>
  auto Model(Fn fn) {
    decltype(fn(model)) result{};
    server.WithModel([&](tarvex::sim::ControllerModel& m) { result = fn(m); });
    return result;
  }

  QTemporaryDir dir;
  tarvex::sim::ControllerModel model;
  tarvex::sim::PtyServer server{model, LinkIn(dir)};
  Shell shell{std::nullopt, &tarvex::RealClock()};
};

}  // namespace

class TForm1ConfigSimTest : public QObject {
  Q_OBJECT
 private slots:
  void ARussianConfigurationMakesTheRoundTrip() {
    Simulator sim(tarvex::sim::ModelOptions{.read_block_size = 255});
    auto& f = sim.form();
    QVERIFY(!f.ok->isHidden());
    const std::string text = RussianConfiguration(20 * 1024);
    const QString original = sim.dir.filePath("original.cfg");
    PutFile(original, text);

    sim.shell.dialogs.file_answers = {original};
    f.Ope->click();
    f.Run(&tarvex::TForm1::Down_testClick);
    QCOMPARE(sim.shell.dialogs.messages, QStringList{"       OK"});
    QCOMPARE(sim.Model([](auto& m) { return m.config().configuration(); }), Bytes(text.begin(), text.end()));

    f.Button1->click();
    f.Upl->click();
    QCOMPARE(sim.shell.dialogs.messages, (QStringList{"       OK", "       OK"}));
    const QString copy = sim.dir.filePath("copy.cfg");
    sim.shell.dialogs.file_answers = {copy};
    f.Sav->click();
    QCOMPARE(FileBytes(copy), text);
    QCOMPARE(f.ConfigTextLength, static_cast<std::int32_t>(text.size()));
  }

  void AWriteBrokenAtABlockShowsWhereItStopped() {
    Simulator sim;
    auto& f = sim.form();
    const Bytes before = sim.Model([](auto& m) { return m.config().configuration(); });
    sim.Model([](auto& m) {
      m.AddFault(tarvex::sim::ParseFault("block:16:bad-header-crc:after=5"));
      return 0;
    });
    f.Memo->SetText(std::string_view(std::string(400, 'c')));
    f.Run(&tarvex::TForm1::Down_testClick);
    QCOMPARE(sim.shell.dialogs.messages, QStringList{"      NOT OK"});
    const QStringList trace = sim.TraceLines();
    const QStringList blocks = trace.filter("DOWN_NEXT   adr=");
    QCOMPARE(blocks.size(), 6);
    QCOMPARE(blocks.last(), QString("DOWN_NEXT   adr=200 n=40"));
    QCOMPARE(trace.last(), QString("Command NEXT Send not ok"));
    QVERIFY(trace.filter("STOP").isEmpty());
    QCOMPARE(sim.Model([](auto& m) { return m.config().configuration(); }), before);
    QVERIFY(sim.Model([](auto& m) { return m.config().writing(); }));
  }

  void AScriptGoesDownAndComesBackByteExact() {
    Simulator sim;
    auto& f = sim.form();
    std::string script("\xD1\xEA\xF0\xE8\xEF\xF2\r\nline\0\x11\x13\xFF", 15);
    script += std::string(200, 's');
    const QString file = sim.dir.filePath("down.scr");
    PutFile(file, script);
    sim.shell.dialogs.file_answers = {file};
    f.DownScr->click();
    QVERIFY(!f.Label2->isHidden() && f.Label5->isHidden());
    QCOMPARE(sim.Model([](auto& m) { return m.script(); }), Bytes(script.begin(), script.end()));

    const QString back = sim.dir.filePath("up.scr");
    sim.shell.dialogs.file_answers = {back};
    f.ButtonUp->click();
    QCOMPARE(FileBytes(back), script);
    QCOMPARE(f.Memo1->Text(), std::string("\xD1\xEA\xF0\xE8\xEF\xF2\r\nline"));
    QCOMPARE(f.windowTitle(), back);

    sim.shell.dialogs.confirm_answers = {tarvex::Dialogs::kYes};
    f.Down_testik->click();
    QVERIFY(!f.Label2->isHidden() && f.Label5->isHidden());
  }

  void RebootLeavesThePortClosed() {
    Simulator sim;
    auto& f = sim.form();
    sim.Model([](auto& m) {
      m.set_verdict(2);
      return 0;
    });
    f.Run(&tarvex::TForm1::TestClick);
    f.BuReboot->click();
    QVERIFY(!f.link.PortHandle);
    QVERIFY(f.ok->isHidden());
    f.Set_Test->click();
    QCOMPARE(sim.shell.dialogs.messages, (QStringList{"   NOT OK = no memory", "       OK", "       COM?"}));
  }
};

QTEST_MAIN(TForm1ConfigSimTest)
#include "tform1_config_sim_test.moc"
