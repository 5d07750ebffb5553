#include "model/number_input.h"

namespace tarvo::model {

namespace {

enum class State {
  Start,         // blanks only so far
  Dash,          // "-": the not-set marker or a minus sign
  Dashes,        // dashes and blanks after the first dash
  Sign,          // "+"
  Whole,         // digits before the point
  Point,         // a point with no digit yet
  Fraction,      // digits after the point, or the point after digits
  ExponentMark,  // "e"
  ExponentSign,  // "e-"
  Exponent,      // exponent digits
  Trailing,      // blanks after a number
  Refused,       // a character no number can hold here
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsPoint(char c) {
  return c == '.' || c == ',';
}
bool IsExponentMark(char c) {
  return c == 'e' || c == 'E';
}

// The state after one more character.
State Step(State before, char c) {
  State state = State::Refused;
  switch (before) {
    case State::Start:
      if (c == ' ') state = State::Start;
      if (c == '-') state = State::Dash;
      if (c == '+') state = State::Sign;
      if (IsDigit(c)) state = State::Whole;
      if (IsPoint(c)) state = State::Point;
      break;
    case State::Dash:
      if (c == '-' || c == ' ') state = State::Dashes;
      if (IsDigit(c)) state = State::Whole;
      if (IsPoint(c)) state = State::Point;
      break;
    case State::Dashes:
      if (c == '-' || c == ' ') state = State::Dashes;
      break;
    case State::Sign:
      if (IsDigit(c)) state = State::Whole;
      if (IsPoint(c)) state = State::Point;
      break;
    case State::Whole:
      if (IsDigit(c)) state = State::Whole;
      if (IsPoint(c)) state = State::Fraction;
      if (IsExponentMark(c)) state = State::ExponentMark;
      if (c == ' ') state = State::Trailing;
      break;
    case State::Point:
      if (IsDigit(c)) state = State::Fraction;
      break;
    case State::Fraction:
      if (IsDigit(c)) state = State::Fraction;
      if (IsExponentMark(c)) state = State::ExponentMark;
      if (c == ' ') state = State::Trailing;
      break;
    case State::ExponentMark:
      if (c == '-' || c == '+') state = State::ExponentSign;
      if (IsDigit(c)) state = State::Exponent;
      break;
    case State::ExponentSign:
      if (IsDigit(c)) state = State::Exponent;
      break;
    case State::Exponent:
      if (IsDigit(c)) state = State::Exponent;
      if (c == ' ') state = State::Trailing;
      break;
    case State::Trailing:
      if (c == ' ') state = State::Trailing;
      break;
    case State::Refused:
      break;
  }
  return state;
}

}  // namespace

NumberInput ClassifyNumberInput(std::string_view text) {
  State state = State::Start;
  for (const char c : text) {
    state = Step(state, c);
    if (state == State::Refused) return NumberInput::Refused;
  }
  switch (state) {
    case State::Sign:
    case State::Point:
    case State::ExponentMark:
    case State::ExponentSign:
      return NumberInput::Partial;
    case State::Start:
      // Blanks alone read as 0 but say nothing: more is to come.
      return text.empty() ? NumberInput::Complete : NumberInput::Partial;
    default:
      return NumberInput::Complete;
  }
}

}  // namespace tarvo::model
