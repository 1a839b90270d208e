#pragma once
// The one wiring of a typed swim-time box and of a date typed into three boxes: what the keys may
// type, the Delete key, the check of every change and what leaving the box does. Every window
// wires such boxes through these two calls.

class QLineEdit;
class QPushButton;

// A swim time box (M.SSCC): digits, Backspace and one "."; a change that makes 60 seconds or more
// is refused with "Saisie du temps incorrect." and the text and caret before the key come back
// (the Delete key included, checked again when it is released). Leaving an enabled box writes
// Format_temps of its text, so an empty box shows "0.0000". The focus selects the whole text.
void Brancher_boite_temps(QLineEdit* boite);

// The day, month and year boxes of one date: digits only, at most 2, 2 and 4 of them. While
// bControle is true a keystroke (Delete and Backspace included) that makes a day the month cannot
// have is undone silently; the window turns bControle off while it writes the boxes itself, and
// the flag must live as long as the boxes. calendrier, when given, offers the calendar on the
// boxes' date and writes the day chosen into them. The focus selects the whole text.
void Brancher_boites_date(QLineEdit* jour, QLineEdit* mois, QLineEdit* annee, bool& bControle,
                          QPushButton* calendrier = nullptr);
