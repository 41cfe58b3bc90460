#include "app/qt/text_pane.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QtTest>

using tarvex::TextPane;

class TextPaneTest : public QObject {
  Q_OBJECT
 private slots:
  void AddedLinesFollowThePaneRule() {
    TextPane pane;
    pane.AddLine(std::string_view("x"));
    QCOMPARE(pane.Text(), std::string("x\r\n"));
    pane.AddLine(std::string_view(""));
    QCOMPARE(pane.Text(), std::string("x\r\n\r\n"));

    // A status text without a line break, then two records that end in CR LF: no
    // empty line after the first, one after the second.
    pane.SetText(std::string_view("OK=5"));
    QCOMPARE(pane.Text(), std::string("OK=5"));
    pane.AddLine(std::string_view("A\r\n"));
    QCOMPARE(pane.Text(), std::string("OK=5\r\nA\r\n"));
    pane.AddLine(std::string_view("B\r\n"));
    QCOMPARE(pane.Text(), std::string("OK=5\r\nA\r\nB\r\n\r\n"));
    pane.AddLine(std::string_view("C"));
    QCOMPARE(pane.Text(), std::string("OK=5\r\nA\r\nB\r\n\r\nC\r\n"));

    // Only CR LF breaks a line: a record ending in a lone CR leaves the text without
    // a break, so the next one takes the line after it with no empty line between.
    pane.SetText(std::string_view("OK=5"));
    pane.AddLine(std::string_view(">x\r"));
    pane.AddLine(std::string_view("<y\r\n"));
    QCOMPARE(pane.Text(), std::string("OK=5\r\n>x\r\r\n<y\r\n"));
  }

  void TextIsCodePage1251WithCrLf() {
    TextPane pane;
    pane.SetText(std::string_view("\xCF\xF3\xEB\xFC\xF1 \xA0\r\nb"));
    QCOMPARE(pane.document()->blockCount(), 2);
    QCOMPARE(pane.document()->firstBlock().text(), QString::fromUtf8("Пульс \u00A0"));
    QCOMPARE(pane.Text(), std::string("\xCF\xF3\xEB\xFC\xF1 \xA0\r\nb"));
    // A lone LF or CR is a character of its line, shown by its control picture, and
    // reads back as the byte it was.
    pane.SetText(std::string_view("a\nb\rc\n\r\r\n"));
    QCOMPARE(pane.document()->blockCount(), 2);
    QCOMPARE(pane.document()->firstBlock().text(), QString::fromUtf8("a␊b␍c␊␍"));
    QCOMPARE(pane.Text(), std::string("a\nb\rc\n\r\r\n"));
    pane.AddLine(std::string_view("d\n"));
    QCOMPARE(pane.Text(), std::string("a\nb\rc\n\r\r\nd\n\r\n"));
    pane.Clear();
    QCOMPARE(pane.Text(), std::string());
  }

  void TypedTextCountsForTheRule() {
    TextPane pane;
    pane.show();
    QTest::keyClicks(&pane, "typed");
    QTest::keyClick(&pane, Qt::Key_Return);
    pane.AddLine(std::string_view("next"));
    QCOMPARE(pane.Text(), std::string("typed\r\nnext\r\n"));
  }

  void AddingStaysCheapOnALongText() {
    TextPane pane;
    const std::string line = "15.03.2024 12:00:00  event text of a typical length";
    for (int i = 0; i < 20000; ++i) pane.AddLine(std::string_view(line));
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 2000; ++i) pane.AddLine(std::string_view(line));
    // Appending never re-sets the whole text: 2000 lines take milliseconds
    // whatever the pane holds (re-setting would be seconds here).
    QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(pane.document()->blockCount(), 22001);
  }
};

QTEST_MAIN(TextPaneTest)
#include "text_pane_test.moc"
