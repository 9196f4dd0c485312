// Creating the child windows of the main window at their places.
#pragma once
#include <string>

#include "app/MainControls.h"

class TFormFonts;

// Creates every child window of the form; the pages' notifications go to the form.
void CreateMainControls(HWND form, const TMainPictures& pictures, const TFormFonts& fonts, TMainControls& c,
                        TMainTrees& trees);

// The label's colour and style, as set when it was created.
TLabelStyle LabelStyleOf(HWND label);

// Changes a label's colour and font (the summary's warning is red and bold).
void SetLabelStyle(HWND label, TLabelStyle style, HFONT font);

// Sets a see-through label's text and repaints what lies behind it.
void SetLabelText(HWND label, const std::string& gbkText);

// Lays labels out one after another on one line, each as wide as its text.
void LayOutInLine(HWND first, HWND second, HWND third);
