#include "controls/date_time_edit.h"

#include <QCoreApplication>

#include "controls/date_time_text.h"
#include "controls/error_box.h"
#include "platform/operator_texts.h"

CDateTimeEdit::CDateTimeEdit(QWidget* parent) : CMaskEdit(parent) {
    m_bUseMask = true;
    m_bDateChecks = false;
    m_strValid.clear();
}

void CDateTimeEdit::SetDisplayMode(int mode) {
    m_nMode = mode;
    if (mode == 2) {
        m_strMask = controls::kMode2Mask;
        m_strLiteral = controls::kMode2Literal;
    }
}

void CDateTimeEdit::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetMaskedText(controls::FormatDateTimeMode2({year, month, day, hour, minute, second}));
}

void CDateTimeEdit::GetDateTime(int& year, int& month, int& day, int& hour, int& minute,
                                int& second) const {
    controls::DateTimeFields fields{year, month, day, hour, minute, second};
    controls::ScanDateTimeMode2(m_strText, fields);
    year = fields.year;
    month = fields.month;
    day = fields.day;
    hour = fields.hour;
    minute = fields.minute;
    second = fields.second;
}

bool CDateTimeEdit::IsValid() const {
    controls::DateTimeFields fields;
    if (controls::ScanDateTimeMode2(m_strText, fields) < 6) return false;
    return controls::IsValidDateTime(fields);
}

bool DDX_DateTimeEdit(DataExchange direction, CDateTimeEdit& control) {
    if (direction == DataExchange::Load || control.IsValid()) return true;
    controls::ShowErrorBox(&control,
                           QCoreApplication::translate("controls", platform::texts::kInvalidTime),
                           QCoreApplication::translate("controls", platform::texts::kErrorCaption));
    control.setFocus(Qt::OtherFocusReason);
    return false;
}
