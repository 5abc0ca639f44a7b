#pragma once
// A value as the database layer hands it out: text, number, yes/no or Null.
// Text conversion follows what the network files and the console expect:
// yes/no reads "True"/"False", whole numbers have no decimal point, Null is
// the empty text.

#include <cstdint>
#include <string>
#include <string_view>

namespace vexlab::db {

enum class ValueType { Null, Text, Number, YesNo };

class Value {
public:
    Value() = default;  // Null
    Value(const char* text) : type_(ValueType::Text), text_(text ? text : "") {}
    Value(std::string text) : type_(ValueType::Text), text_(std::move(text)) {}
    Value(std::string_view text) : type_(ValueType::Text), text_(text) {}
    Value(int number) : type_(ValueType::Number), int_(number) {}
    Value(std::int64_t number) : type_(ValueType::Number), int_(number) {}
    Value(double number);
    Value(bool flag) : type_(ValueType::YesNo), int_(flag ? 1 : 0) {}

    static Value null() { return Value(); }

    ValueType type() const { return type_; }
    bool is_null() const { return type_ == ValueType::Null; }
    // True for a number that carries a fractional part.
    bool is_real() const { return type_ == ValueType::Number && is_real_; }

    // The text of a text value, without a copy; empty for any other type.
    std::string_view text_view() const {
        return type_ == ValueType::Text ? std::string_view(text_) : std::string_view();
    }
    // "True"/"False" for yes/no, no decimal point for whole numbers, "" for Null.
    std::string to_text() const;
    // Whole-number reading; text is parsed leniently (leading blanks, sign,
    // digits), anything unreadable gives 0.  Yes/no gives 1/0.
    std::int64_t to_int() const;
    double to_double() const;
    // A yes/no reading: numbers are true when not 0, text "True"/"Yes"/"-1"
    // (any case) or a non-zero number is true.
    bool to_bool() const;

    bool operator==(const Value& other) const;

private:
    ValueType type_ = ValueType::Null;
    std::string text_;
    std::int64_t int_ = 0;
    double real_ = 0.0;
    bool is_real_ = false;

    friend class Statement;
};

// Formats a number the way the program shows numbers: whole values without a
// decimal point, others with up to 15 significant digits.
std::string format_number(double value);

}  // namespace vexlab::db
