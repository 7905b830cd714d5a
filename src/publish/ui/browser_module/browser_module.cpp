// The embedded browser module: a Qt WebEngine view, loaded by the program when the pane is first shown.
#include <QWebEngineHistory>
#include <QWebEngineView>

extern "C" Q_DECL_EXPORT QWidget* quillon_create_browser(QWidget* parent) {
  auto* view = new QWebEngineView(parent);
  view->setObjectName("WebBrowser1");
  return view;
}

// Moves through the view's history; false when there is no page that way.
extern "C" Q_DECL_EXPORT bool quillon_browser_go(QWidget* browser, int step) {
  auto* view = qobject_cast<QWebEngineView*>(browser);
  if (!view || !view->history()) return false;
  if (step < 0 ? !view->history()->canGoBack() : !view->history()->canGoForward()) return false;
  step < 0 ? view->back() : view->forward();
  return true;
}
