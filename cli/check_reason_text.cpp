#include "cli/check_reason_text.h"

#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "platform/system_reason.h"

namespace cli {

namespace {

namespace texts = platform::texts;
using engine::CheckReasonCode;
using engine::RowDifference;

std::string Fact(const engine::CheckReason& reason, std::size_t i) {
    return i < reason.facts.size() ? reason.facts[i] : std::string();
}

std::string DifferenceText(const RowDifference& d) {
    switch (d.column) {
        case RowDifference::Column::Station:
            return texts::CheckRowStation(d.row, d.file);
        case RowDifference::Column::Channel:
            return texts::CheckRowChannel(d.row, d.file);
        case RowDifference::Column::Start:
            return texts::CheckRowStart(d.row.empty() ? texts::kCheckNoDate : d.row, d.file);
        case RowDifference::Column::Rate:
            return texts::CheckRowRate(d.row, d.file);
        case RowDifference::Column::Samples:
            return texts::CheckRowSamples(d.row.empty() ? texts::kCheckNotANumber : d.row, d.file);
    }
    return {};
}

}  // namespace

std::string CheckReasonText(const engine::CheckReason& reason) {
    switch (reason.code) {
        case CheckReasonCode::ShorterThanHeader:
            return texts::CheckShorterThanHeader(Fact(reason, 0));
        case CheckReasonCode::NotTheHeader:
            return texts::kCheckNotTheHeader;
        case CheckReasonCode::SizeNotSamples:
            return texts::CheckSizeNotSamples(Fact(reason, 0), Fact(reason, 1), Fact(reason, 2));
        case CheckReasonCode::NameNotItsStart:
            return texts::CheckNameNotItsStart(Fact(reason, 0));
        case CheckReasonCode::RowPathOutside:
            return texts::kCheckRowPathOutside;
        case CheckReasonCode::NoRow:
            return texts::kCheckNoRow;
        case CheckReasonCode::RowDisagrees: {
            // Each column's text is a message of its own: translated before
            // they are joined, since the joined list is none.
            std::string list;
            for (const RowDifference& d : reason.differences)
                list += (list.empty() ? "" : ", ") + platform::TranslateMessage(DifferenceText(d));
            return texts::CheckRowDisagrees(list);
        }
        case CheckReasonCode::RowWithoutFile:
            return texts::kCheckRowWithoutFile;
        case CheckReasonCode::StaleTemporary:
            return texts::kCheckStaleTemporary;
        case CheckReasonCode::MoreThanOneRow:
            return texts::kCheckMoreThanOneRow;
        case CheckReasonCode::NotARegularFile:
            return texts::CheckFileUnreadable(texts::kCheckNotARegularFile);
        case CheckReasonCode::FileUnreadable:
            return texts::CheckFileUnreadable(platform::SystemReason(reason.error));
        case CheckReasonCode::DirectoryUnreadable:
            return texts::CheckDirectoryUnreadable(platform::SystemReason(reason.error));
    }
    return {};
}

}  // namespace cli
