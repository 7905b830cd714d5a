#include "app/ui/desktop_scheme.h"

#include <QApplication>
#include <QColor>

namespace quillon::desktop_scheme {

namespace {
bool ownPaletteSet = false;
}  // namespace

void apply(Scheme scheme) {
  if (scheme == Scheme::System) {
    // A palette with no role of its own set takes every role from the desktop's, now and as it changes.
    if (ownPaletteSet) QApplication::setPalette(QPalette());
    ownPaletteSet = false;
    return;
  }
  QApplication::setPalette(scheme == Scheme::Dark ? darkPalette() : lightPalette());
  ownPaletteSet = true;
}

QPalette lightPalette() {
  QPalette p(QColor(0xEF, 0xEF, 0xEF));
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::Text, Qt::black);
  p.setColor(QPalette::WindowText, Qt::black);
  p.setColor(QPalette::ButtonText, Qt::black);
  p.setColor(QPalette::Highlight, QColor(0x30, 0x8C, 0xC6));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::PlaceholderText, QColor(0x6E, 0x6E, 0x6E));
  return p;
}

QPalette darkPalette() {
  const QColor window(0x2D, 0x2D, 0x2D), base(0x1E, 0x1E, 0x1E), text(0xE6, 0xE6, 0xE6), dim(0x8C, 0x8C, 0x8C);
  QPalette p;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    const bool off = group == QPalette::Disabled;
    p.setColor(group, QPalette::Window, window);
    p.setColor(group, QPalette::WindowText, off ? dim : text);
    p.setColor(group, QPalette::Base, base);
    p.setColor(group, QPalette::AlternateBase, QColor(0x26, 0x26, 0x26));
    p.setColor(group, QPalette::Text, off ? dim : text);
    p.setColor(group, QPalette::PlaceholderText, dim);
    p.setColor(group, QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
    p.setColor(group, QPalette::ButtonText, off ? dim : text);
    p.setColor(group, QPalette::BrightText, Qt::white);
    p.setColor(group, QPalette::Light, QColor(0x4A, 0x4A, 0x4A));
    p.setColor(group, QPalette::Midlight, QColor(0x40, 0x40, 0x40));
    p.setColor(group, QPalette::Mid, QColor(0x30, 0x30, 0x30));
    p.setColor(group, QPalette::Dark, QColor(0x1A, 0x1A, 0x1A));
    p.setColor(group, QPalette::Shadow, Qt::black);
    p.setColor(group, QPalette::Highlight, off ? QColor(0x3A, 0x3A, 0x3A) : QColor(0x2F, 0x65, 0xCA));
    p.setColor(group, QPalette::HighlightedText, off ? dim : Qt::white);
    p.setColor(group, QPalette::Link, QColor(0x7C, 0xB7, 0xFF));
    p.setColor(group, QPalette::LinkVisited, QColor(0xC5, 0x9B, 0xFF));
    p.setColor(group, QPalette::ToolTipBase, window);
    p.setColor(group, QPalette::ToolTipText, text);
  }
  return p;
}

ColourValue colourValue(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

bool drawnDark(const QPalette& palette) { return windowColourIsDark(colourValue(palette.color(QPalette::Window))); }

SchemeColours editorColours(const QPalette& palette) {
  SchemeColours c;
  c.background = colourValue(palette.color(QPalette::Base));
  c.text = colourValue(palette.color(QPalette::Text));
  c.selectionBack = colourValue(palette.color(QPalette::Highlight));
  c.selectionText = colourValue(palette.color(QPalette::HighlightedText));
  c.margin = colourValue(palette.color(QPalette::Window));
  c.marginText = colourValue(palette.color(QPalette::WindowText));
  return c;
}

}  // namespace quillon::desktop_scheme
