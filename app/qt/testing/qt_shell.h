// The window logic on the Qt renderer, for the tests of what is Qt's own and the
// end-to-end runs through the real window.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "app/qt/qt_view.h"
#include "app/testing/shell.h"

namespace tarvex {

// Clicks a control of a window drawn by the Qt renderer, as the user does.
inline void ClickOn(QtView& view, Control control) { static_cast<QAbstractButton&>(view.WidgetOf(control)).click(); }

}  // namespace tarvex

namespace tarvex::testing {

using QtShell = BasicShell<QtView>;

// Shows a window and makes it the active one, so that it takes keyboard focus.
inline bool ShowActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  return QTest::qWaitForWindowActive(&window);
}

}  // namespace tarvex::testing
