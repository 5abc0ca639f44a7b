#include "platform/db_value.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vexlab::db {

Value::Value(double number) : type_(ValueType::Number) {
    if (std::isfinite(number) && std::floor(number) == number && std::fabs(number) < 9.0e15) {
        int_ = static_cast<std::int64_t>(number);
    } else {
        real_ = number;
        is_real_ = true;
    }
}

std::string format_number(double value) {
    if (std::isfinite(value) && std::floor(value) == value && std::fabs(value) < 9.0e15)
        return std::to_string(static_cast<std::int64_t>(value));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string Value::to_text() const {
    switch (type_) {
        case ValueType::Null:
            return {};
        case ValueType::Text:
            return text_;
        case ValueType::YesNo:
            return int_ != 0 ? "True" : "False";
        case ValueType::Number:
            return is_real_ ? format_number(real_) : std::to_string(int_);
    }
    return {};
}

namespace {

std::int64_t parse_int(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t result = 0;
    bool any = false;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        any = true;
        if (result > (std::numeric_limits<std::int64_t>::max() - 9) / 10) break;  // saturate
        result = result * 10 + (text[i] - '0');
    }
    if (!any) return 0;
    return negative ? -result : result;
}

bool equals_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::int64_t Value::to_int() const {
    switch (type_) {
        case ValueType::Null:
            return 0;
        case ValueType::Text:
            return parse_int(text_);
        case ValueType::YesNo:
            return int_;
        case ValueType::Number:
            if (!is_real_) return int_;
            if (!std::isfinite(real_)) return 0;
            if (real_ >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
            if (real_ <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
            return static_cast<std::int64_t>(real_);
    }
    return 0;
}

double Value::to_double() const {
    if (type_ == ValueType::Text) {
        char* end = nullptr;
        double d = std::strtod(text_.c_str(), &end);
        return end == text_.c_str() ? 0.0 : d;
    }
    if (type_ == ValueType::Number && is_real_) return real_;
    return static_cast<double>(to_int());
}

bool Value::to_bool() const {
    switch (type_) {
        case ValueType::Null:
            return false;
        case ValueType::Text:
            return equals_nocase(text_, "true") || equals_nocase(text_, "yes") ||
                   parse_int(text_) != 0;
        case ValueType::YesNo:
            return int_ != 0;
        case ValueType::Number:
            return is_real_ ? real_ != 0.0 : int_ != 0;
    }
    return false;
}

bool Value::operator==(const Value& other) const {
    if (type_ != other.type_) return false;
    switch (type_) {
        case ValueType::Null:
            return true;
        case ValueType::Text:
            return text_ == other.text_;
        case ValueType::YesNo:
            return (int_ != 0) == (other.int_ != 0);
        case ValueType::Number:
            if (is_real_ || other.is_real_) return to_double() == other.to_double();
            return int_ == other.int_;
    }
    return false;
}

}  // namespace vexlab::db
