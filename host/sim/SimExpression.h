// The small expression language of simulated jobs: link conditions, verification qualifiers and the formulas of
// input and count nodes. The syntax is described in docs/simulation.md.
#pragma once

#include <functional>
#include <string>
#include <string_view>

struct SimValue
{
    bool bNumber = true;
    double dNumber = 0;
    std::string str; // the text of a string value

    static SimValue Number(double d) { return SimValue{true, d, {}}; }
    static SimValue Text(std::string s) { return SimValue{false, 0, std::move(s)}; }
    // The value as the terminal shows it: whole numbers without a point.
    std::string Format() const;
    // A number, or a text that reads wholly as one.
    bool AsNumber(double& d) const;
    bool IsTrue() const;
};

// Answers a name: true and the value, or false for a name the job does not know.
using SimNameLookup = std::function<bool(const std::string& name, SimValue& value)>;

// Evaluates the text. False, with one message in *error, for a syntax error, an unknown name or a division by zero.
bool EvaluateExpression(std::string_view text, const SimNameLookup& lookup, SimValue& result, std::string* error);
