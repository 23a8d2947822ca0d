#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QWidget;

namespace orvane::ui {

// Small builders shared by the pages, so each page states only its content.
QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent);
QLabel* MakeBoldLabel(const QString& name, const QString& text, QWidget* parent);
QGroupBox* MakeGroup(const QString& title, QWidget* parent);
// A bold title over contents in the normal weight.
void UseGroupFonts(QGroupBox* group);
QPlainTextEdit* MakeMemo(const QString& name, QWidget* parent);

}  // namespace orvane::ui
