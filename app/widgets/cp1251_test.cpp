#include "app/widgets/cp1251.h"

#include <QtTest>

using tarvex::FromCp1251;
using tarvex::ToCp1251;

class Cp1251Test : public QObject {
  Q_OBJECT
 private slots:
  void EveryByteSurvivesARoundTrip() {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    QCOMPARE(ToCp1251(FromCp1251(all)), all);
  }

  void RussianTextHasItsPageCodes() {
    QCOMPARE(ToCp1251(QString::fromUtf8("Вы уверены? Ёё №")),
             std::string("\xC2\xFB \xF3\xE2\xE5\xF0\xE5\xED\xFB? \xA8\xB8 \xB9"));
    QCOMPARE(FromCp1251("\xCF\xE5\xF0\xE8\xEE\xE4"), QString::fromUtf8("Период"));
  }

  void CharactersOutsideThePageBecomeOneQuestionMark() {
    QCOMPARE(ToCp1251(QString::fromUtf8("a中b")), std::string("a?b"));
    // A character outside the basic plane is two UTF-16 units but one '?'.
    QCOMPARE(ToCp1251(QString::fromUtf8("x\xF0\x9F\x98\x80y")), std::string("x?y"));
  }
};

QTEST_GUILESS_MAIN(Cp1251Test)
#include "cp1251_test.moc"
