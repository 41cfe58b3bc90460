// The configuration and script buttons against the simulated controller served on a
// pseudo-terminal: the real port, the real clock, the controller keeping what it gets.
#include <QtTest>

#include "app/qt/testing/sim_window.h"
#include "sim/model/fault.h"

using tarvex::testing::FileBytes;
using tarvex::testing::LinesOf;
using tarvex::testing::OfferFile;
using tarvex::testing::SimWindow;
using Bytes = std::vector<std::uint8_t>;
using Messages = std::vector<std::string>;

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

// The window with its port open on the simulator, which replies unpaced: the real
// clock's end-of-reply silence is wait enough.
class Simulator : public SimWindow {
 public:
  explicit Simulator(const tarvex::sim::ModelOptions& options = {}) : SimWindow(options) {
    shell.Click(form().OpenCom);
  }

  // What `fn` reads from the model.
  template <typename Fn>
  auto Model(Fn fn) {
    decltype(fn(std::declval<tarvex::sim::ControllerModel&>())) result{};
    server().WithModel([&](tarvex::sim::ControllerModel& m) { result = fn(m); });
    return result;
  }
};

}  // namespace

class TForm1ConfigSimTest : public QObject {
  Q_OBJECT
 private slots:
  void ARussianConfigurationMakesTheRoundTrip() {
    Simulator sim(tarvex::sim::ModelOptions{.read_block_size = 255});
    auto& f = sim.form();
    QVERIFY(!f.ok.Hidden());
    const std::string text = RussianConfiguration(20 * 1024);
    OfferFile(sim.shell, "original.cfg", text);
    sim.shell.Click(f.Ope);
    f.Run(&tarvex::TForm1::Down_testClick);
    QCOMPARE(sim.shell.dialogs.messages, Messages{"       OK"});
    QCOMPARE(sim.Model([](auto& m) { return m.config().configuration(); }), Bytes(text.begin(), text.end()));

    sim.shell.Click(f.Button1);
    sim.shell.Click(f.Upl);
    QCOMPARE(sim.shell.dialogs.messages, (Messages{"       OK", "       OK"}));
    const auto copy = sim.shell.PathOf("copy.cfg");
    sim.shell.dialogs.file_answers = {copy};
    sim.shell.Click(f.Sav);
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
    f.Memo.SetText(std::string(400, 'c'));
    f.Run(&tarvex::TForm1::Down_testClick);
    QCOMPARE(sim.shell.dialogs.messages, Messages{"      NOT OK"});
    const QStringList trace = LinesOf(f.Form2.Memo);
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
    OfferFile(sim.shell, "down.scr", script);
    sim.shell.Click(f.DownScr);
    QVERIFY(!f.Label2.Hidden() && f.Label5.Hidden());
    QCOMPARE(sim.Model([](auto& m) { return m.script(); }), Bytes(script.begin(), script.end()));

    const auto back = sim.shell.PathOf("up.scr");
    sim.shell.dialogs.file_answers = {back};
    sim.shell.Click(f.ButtonUp);
    QCOMPARE(FileBytes(back), script);
    QCOMPARE(f.Memo1.Text(), std::string("\xD1\xEA\xF0\xE8\xEF\xF2\r\nline"));
    QCOMPARE(sim.shell.view.WindowOf(tarvex::Window::kForm1).windowTitle(), QString::fromStdString(back.string()));

    sim.shell.dialogs.confirm_answers = {tarvex::Dialogs::kYes};
    sim.shell.Click(f.Down_testik);
    QVERIFY(!f.Label2.Hidden() && f.Label5.Hidden());
  }

  void RebootLeavesThePortClosed() {
    Simulator sim;
    auto& f = sim.form();
    sim.Model([](auto& m) {
      m.set_verdict(2);
      return 0;
    });
    f.Run(&tarvex::TForm1::TestClick);
    sim.shell.Click(f.BuReboot);
    QVERIFY(!f.link.PortHandle);
    QVERIFY(f.ok.Hidden());
    sim.shell.Click(f.Set_Test);
    QCOMPARE(sim.shell.dialogs.messages, (Messages{"   NOT OK = no memory", "       OK", "       COM?"}));
  }
};

QTEST_MAIN(TForm1ConfigSimTest)
#include "tform1_config_sim_test.moc"
