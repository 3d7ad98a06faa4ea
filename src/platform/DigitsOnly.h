#pragma once

class QObject;
class QValidator;

// The validator of every box that takes digits only. It judges the box's text,
// not the key, so a character other than a digit stays out however it comes
// (typed, pasted, or committed by an input method), while Tab, Delete, the arrows
// and the clipboard keys work as in any box.
QValidator* digitsOnlyValidator(QObject* parent);
