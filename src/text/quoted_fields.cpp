#include "text/quoted_fields.h"

namespace headly {

void QuotedFields::follow(std::string_view bytes) {
  for (const char c : bytes) {
    switch (state_) {
      case State::Quoted:
        if (c == '"') state_ = State::QuoteInQuoted;
        break;
      case State::QuoteInQuoted:
        // A doubled quote is one quote of the value; any other byte follows
        // the closing quote.
        state_ = c == '"' ? State::Quoted : c == ',' ? State::FieldStart : State::Unquoted;
        break;
      case State::FieldStart:
        state_ = c == '"' ? State::Quoted : c == ',' ? State::FieldStart : State::Unquoted;
        break;
      case State::Unquoted:
        if (c == ',') state_ = State::FieldStart;
        break;
    }
  }
}

}  // namespace headly
