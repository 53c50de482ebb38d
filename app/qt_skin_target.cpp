#include "app/qt_skin_target.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "app/skin_style.h"
#include "platform/qt/qt_text.h"

namespace {

QColor ToQColor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// A colour between two others, `part` of the way from a to b.
QColor Blend(const QColor& a, const QColor& b, double part) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * part, a.greenF() + (b.greenF() - a.greenF()) * part,
                          a.blueF() + (b.blueF() - a.blueF()) * part);
}

QPalette PaletteOf(const TSkinPalette& colors) {
  auto color = [&colors](TSkinColorRole role) { return ToQColor(colors[role]); };
  // The bevel shades (light, mid, dark, shadow) follow from the button and window colours.
  QPalette palette(color(scButton), color(scWindow));
  palette.setColor(QPalette::WindowText, color(scWindowText));
  palette.setColor(QPalette::Base, color(scBase));
  palette.setColor(QPalette::AlternateBase, Blend(color(scBase), color(scText), 0.06));
  palette.setColor(QPalette::Text, color(scText));
  palette.setColor(QPalette::PlaceholderText, Blend(color(scBase), color(scText), 0.5));
  palette.setColor(QPalette::ButtonText, color(scButtonText));
  palette.setColor(QPalette::BrightText, color(scHighlightedText));
  palette.setColor(QPalette::Highlight, color(scHighlight));
  palette.setColor(QPalette::HighlightedText, color(scHighlightedText));
  palette.setColor(QPalette::ToolTipBase, color(scToolTipBase));
  palette.setColor(QPalette::ToolTipText, color(scToolTipText));
  palette.setColor(QPalette::Link, color(scLink));
  palette.setColor(QPalette::LinkVisited, Blend(color(scLink), color(scText), 0.3));
  // Disabled text halfway to its background, so that it reads as unavailable on any skin.
  palette.setColor(QPalette::Disabled, QPalette::WindowText, Blend(color(scWindow), color(scWindowText), 0.5));
  palette.setColor(QPalette::Disabled, QPalette::Text, Blend(color(scBase), color(scText), 0.5));
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, Blend(color(scButton), color(scButtonText), 0.5));
  palette.setColor(QPalette::Disabled, QPalette::Highlight, Blend(color(scWindow), color(scHighlight), 0.5));
  return palette;
}

}  // namespace

void TQtSkinTarget::SetStyle(const QString& name, bool skinned) {
  if (name.compare(Style_, Qt::CaseInsensitive) == 0 && skinned == Skinned_) return;
  QStyle* style = QStyleFactory::create(name);
  if (style == nullptr) return;  // an unknown name keeps the current style
  QApplication::setStyle(skinned ? new TSkinStyle(style) : style);
  Style_ = name;
  Skinned_ = skinned;
}

TQtSkinTarget::TQtSkinTarget()
    : DesktopPalette_(QApplication::palette()), DesktopStyle_(QApplication::style()->name()), Style_(DesktopStyle_) {}

void TQtSkinTarget::ApplySkin(const TSkinPalette& palette, const std::string& style) {
  SetStyle(style.empty() ? DesktopStyle_ : ToQt(style), true);
  QApplication::setPalette(PaletteOf(palette));
}

void TQtSkinTarget::RestoreDesktopLook() {
  SetStyle(DesktopStyle_, false);
  QApplication::setPalette(DesktopPalette_);
}
