// The embedded browser module: a Qt WebEngine view, loaded by the program when the pane is first shown.
#include <QWebEngineView>

extern "C" Q_DECL_EXPORT QWidget* quillon_create_browser(QWidget* parent) {
  auto* view = new QWebEngineView(parent);
  view->setObjectName("WebBrowser1");
  return view;
}
