// CDateTimeEdit: a masked edit holding one date and time of day, in display
// mode 2 "hh:mm:ss DD/MM/YYYY", turned into six integers and back; and
// DDX_DateTimeEdit, the dialog's check of it before a run.
#pragma once

#include "controls/mask_edit.h"

class CDateTimeEdit : public CMaskEdit {
    Q_OBJECT

public:
    // Mask checking on, date checks off, no always-valid characters; the
    // owner calls SetDisplayMode(2) before the field is used.
    explicit CDateTimeEdit(QWidget* parent = nullptr);

    // Mode 2 sets the mask and the literal template; the text stays as it is.
    void SetDisplayMode(int mode);
    // Shows "%02d:%02d:%02d %02d/%02d/%04d" of the values, in m_strText and
    // the window alike.
    void SetDateTime(int year, int month, int day, int hour, int minute, int second);
    // Reads m_strText (text pasted into the window is not seen). Fields the
    // text does not hold keep the caller's values.
    void GetDateTime(int& year, int& month, int& day, int& hour, int& minute, int& second) const;
    // Range check of what GetDateTime yields; a text without all six fields
    // or with month 0 is invalid.
    bool IsValid() const;

    int m_nMode = 0;
};

// Direction of a dialog data exchange.
enum class DataExchange { Load, Save };

// The dialog's exchange of its start field. Saving an invalid date and time
// shows kInvalidTime (caption kErrorCaption, error icon) owned by the
// field, gives the focus back to the field and returns false: the exchange
// failed and the operation that asked for it must not go on. Otherwise true.
bool DDX_DateTimeEdit(DataExchange direction, CDateTimeEdit& control);
