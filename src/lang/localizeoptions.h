#pragma once

class QWidget;

// Fills the Options dialog's interface-language selector `cmbLang` with the
// 69 "English name : own name" items (each carrying its code) and sets the
// dialog's title and captions from UiStrings. Controls are found by object
// name; one the dialog lacks is skipped. The dialog keeps these texts while
// it is open.
void LocalizeOptionsDialog(QWidget* dialog);
