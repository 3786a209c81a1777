#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "OvMath/OvEvaluate.h"
#include "OvMath/OvEvaluateTrafo.h"
#include "Support/OvTestSupport.h"

namespace {

struct Failure {
    std::string text;
    int32_t code;
    const char* name;
};

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

std::string Nested(int depth) { return Repeat("(", depth) + "1" + Repeat(")", depth); }

// "2x1 [ 3 7 ]": the size and the text form.
std::string Describe(const OvMatrix& matrix)
{
    return std::to_string(matrix.Rows()) + "x" + std::to_string(matrix.Columns()) + " " + OvBytes(matrix.ToText());
}

std::vector<double> Elements(const OvVector& vector)
{
    std::vector<double> elements;
    for (int32_t i = 0; i < vector.GetDim(); ++i) elements.push_back(vector[i]);
    return elements;
}

OvVector VectorOf(const std::vector<double>& values)
{
    return OvVector(static_cast<int32_t>(values.size()), kOvColorRGB, values.data());
}

}  // namespace

TEST(OvEvaluateDouble, ProgramsGiveTheValueOfTheirLastStatement)
{
    const std::pair<const char*, double> programs[] = {
        {"", 0.0}, {" ;\n,\r\t# only separators and a comment", 0.0}, {"a=1; # note\nb=2", 2.0},
        {"a = 1 # the comment takes the CR, the LF separates\r\nb = 2", 2.0}, {"x = 3\r\ny = x * 2\ny", 6.0},
        {"b = (a = 2) + 1; a * b", 6.0},
        // Precedence and associativity.
        {"2^3^2", 512.0}, {"-2^2", 4.0}, {"x = 3; -x^2", 9.0}, {"1 < 2 + 3", 4.0}, {"3 > 2 == 1", 1.0},
        {"5 - 3 - 1", 1.0}, {"8 / 2 / 2", 2.0}, {"2 + 3 * 4", 14.0}, {"(2 + 3) * 4", 20.0}, {"2 * -3", -6.0},
        {"!4 + ~5 + +1", 6.25}, {"1e5", 100000.0}, {"1e-5", -4.0},  // the number "1e", then minus 5
        {"a = 2; a += 3; a *= 4", 20.0}, {"a = 10; a -= 4; a /= 3", 2.0},
        // Functions.
        {"if(0.4, 1, 2)", 2.0}, {"if(-0.5, 1, 2)", 1.0}, {"avg(1, 2, 6)", 6.0}, {"norm(1, 2, 6)", 3.0},
        {"min(4; 2\n8) + max(3) + sum(1, 2, 6)", 14.0}, {"frac(-2.75)", -0.75}, {"abs(-2) * fabs(-3)", 6.0},
        {"pow(2, 10)", 1024.0}, {"atan2(1, 0)", std::numbers::pi / 2}, {"sin(1)", std::sin(1.0)},
        {"cos(1)", std::cos(1.0)}, {"tan(1)", std::tan(1.0)}, {"exp(1)", std::numbers::e},
        {"log(exp(2)) * log10(1000)", 6.0}, {"sqrt(2)", std::numbers::sqrt2},
    };
    for (const auto& [text, expected] : programs) {
        OvEvaluateDouble evaluator;
        EXPECT_DOUBLE_EQ(evaluator.SetProgramAndRun(text), expected) << text;
    }
}

TEST(OvEvaluateDouble, DivisionByZeroAndReciprocalOfZeroGiveQuietNaN)
{
    for (const char* text : {"1/0", "!0"}) {
        OvEvaluateDouble evaluator;
        EXPECT_EQ(std::bit_cast<uint64_t>(evaluator.SetProgramAndRun(text)), 0x7FF8000000000000u) << text;
    }
}

TEST(OvEvaluateDouble, BadProgramsRaiseTheirErrors)
{
    const Failure failures[] = {
        {"a=1 # note\nb=2", 19, "FormatErr"}, {"1 2", 19, "FormatErr"}, {"1 $ 2", 19, "FormatErr"},
        {"x_1 = 2", 19, "FormatErr"}, {"1 <= 2", 19, "FormatErr"}, {"(1 + 2", 19, "FormatErr"},
        {"max(1, 2", 19, "FormatErr"}, {"max()", 19, "FormatErr"}, {"x = y", 21, "Undefined: y"},
        {"A = 1; a", 21, "Undefined: a"}, {"n += 1", 21, "Undefined: n"}, {"SIN(1)", 1, "OvUndefProc"},
        {"sqrt(4, 9)", 1, "OvUndefProc"}, {"if(1, 2)", 1, "OvUndefProc"}, {"[1 2]", 1, "OvUndefProc"},
        // Nesting that would exhaust the stack.
        {Nested(1000), 19, "Formula nested too deeply"}, {Repeat("-", 100000) + "1", 19, "Formula nested too deeply"},
        {Repeat("2^", 100000) + "1", 19, "Formula nested too deeply"},
        {Repeat("a=", 100000) + "1", 19, "Formula nested too deeply"},
        {Repeat("max(", 100000), 19, "Formula nested too deeply"},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.text.substr(0, 40));
        OvEvaluateDouble evaluator;
        EXPECT_OV_ERROR(evaluator.SetProgramAndRun(failure.text.c_str()), failure.code, failure.name);
    }
    // The limit leaves room for any sensible formula, run after run.
    OvEvaluateDouble evaluator;
    EXPECT_EQ(evaluator.SetProgramAndRun(Nested(100).c_str()), 1.0);
    EXPECT_EQ(evaluator.SetProgramAndRun(Nested(100).c_str()), 1.0);
}

TEST(OvEvaluateDouble, VariablesOutliveProgramsUntilCleared)
{
    OvEvaluateDouble evaluator;
    evaluator.SetProgramAndRun("a = 2");
    evaluator.SetVariable("b", 5.0);
    EXPECT_EQ(evaluator.SetProgramAndRun("a * b"), 10.0);
    evaluator.ClearVariables();
    EXPECT_OV_ERROR(evaluator.GetVariable("a"), 21, "Undefined: a");
}

TEST(OvEvaluateDouble, ContainsTokenScansTheWholeProgram)
{
    const struct { const char* text; int32_t type; const char* tokenText; bool found; } scans[] = {
        {"t=x0; x0=x1; x1=t", kOvTokenIdentifier, "x1", true}, {"x0 = 1", kOvTokenIdentifier, "x", false},
        {"# x1\nx0", kOvTokenIdentifier, "x1", false},         {"a = 1e-5", kOvTokenNumber, "1e", true},
        {"a = [1]", kOvTokenOpenBracket, "", true},            {"a += 1", kOvTokenAddAssign, "", true},
        {"a == 1", kOvTokenAssign, "", false}};
    for (const auto& [text, type, tokenText, found] : scans) {
        OvEvaluateDouble evaluator;
        evaluator.SetProgram(text);
        EXPECT_EQ(evaluator.ContainsToken(type, tokenText), found) << text;
    }
    OvEvaluateDouble evaluator;
    evaluator.SetProgram("a = b $");
    EXPECT_OV_ERROR(evaluator.ContainsToken(kOvTokenIdentifier, "zz"), 19, "FormatErr");
}

// The minimal standard Lehmer generator, shared by all evaluators of the process.
TEST(OvEvaluateDouble, RndFollowsTheProcessWideLehmerSequence)
{
    OvEvaluateDouble::SeedRandom(42);
    std::minstd_rand reference(42);
    OvEvaluateDouble first, second;
    for (OvEvaluateDouble* evaluator : {&first, &second, &first}) {
        const double expected = 10.0 * static_cast<double>(reference()) / 2147483647.0;
        EXPECT_DOUBLE_EQ(evaluator->SetProgramAndRun("rnd(10)"), expected);
    }
}

TEST(OvEvaluateMatrix, ProgramsComputeOnMatrices)
{
    const std::pair<const char*, const char*> programs[] = {
        {"", "1x1 [ 0 ]"}, {"2^3^2", "1x1 [ 512 ]"}, {"[1 -2]", "1x2 [ 1 -2 ]"}, {"[1 2\n3 4\n]", "2x2 [ 1 2 3 4 ]"},
        {"[1 2; 3 4] * [1; 1]", "2x1 [ 3 7 ]"}, {"3 * [1 2]", "1x2 [ 3 6 ]"}, {"[1 2] / 2", "1x2 [ 0.5 1 ]"},
        {"[4 2] / [2 0; 0 2]", "1x2 [ 2 1 ]"}, {"1 / [2 0; 0 4]", "2x2 [ 0.5 0 0 0.25 ]"},
        {"inv([0 2; 4 0])", "2x2 [ 0 0.25 0.5 0 ]"}, {"!4", "1x1 [ 0.25 ]"}, {"trans([1 2 3])", "3x1 [ 1 2 3 ]"},
        {"~[1 2; 3 4]", "2x2 [ 1 3 2 4 ]"}, {"-[1 2]", "1x2 [ -1 -2 ]"}, {"[1 2] + [10 20] - 1", "1x2 [ 10 21 ]"},
        {"sqrt([4 9])", "1x2 [ 2 3 ]"}, {"max([1 5; 3 2], 4) + norm([1 2], 6)", "1x1 [ 8 ]"}};
    for (const auto& [text, expected] : programs) {
        OvEvaluateMatrix evaluator;
        EXPECT_EQ(Describe(evaluator.SetProgramAndRun(text)), expected) << text;
    }
}

TEST(OvEvaluateMatrix, BadMatricesRaiseTheirErrors)
{
    const Failure failures[] = {
        {"[1 2", 19, "FormatErr"}, {"[1 2; 3]", 19, "FormatErr"}, {"[]", 19, "FormatErr"},
        {"[[1 2] 3]", 10, "WrongDataType"}, {"inv([1 2; 2 4])", 24, "SingularMatrixErr"},
        {"inv([0.0000001])", 24, "SingularMatrixErr"}, {"[1 2] * [3 4]", 23, "DimMismatch"},
        {"[1 2] + [1 2 3]", 23, "DimMismatch"}, {"a = [" + Repeat("1 ", 65) + "]; trans(a) * a", 5, "BufferError"},
        {Repeat("[", 100000), 19, "Formula nested too deeply"}};
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.text.substr(0, 40));
        OvEvaluateMatrix evaluator;
        EXPECT_OV_ERROR(evaluator.SetProgramAndRun(failure.text.c_str()), failure.code, failure.name);
    }
}

TEST(OvEvaluateTrafo, TransformsThroughTheVariables)
{
    const struct { const char* formula; std::vector<double> parameters, in, out; } cases[] = {
        {"t=x0; x0=x1; x1=t", {}, {0.2, 0.5, 0.9}, {0.5, 0.2, 0.9}},
        {"x0 = x0 + y0 + y1", {10, 20}, {1, 2, 3}, {31, 2, 3}},
        {"xi = xi * 2", {}, {1, 2, 3}, {2, 4, 6}},
        // yi keeps the last parameter for the channels beyond the parameters.
        {"xi = xi + yi", {10, 20}, {1, 2, 3}, {11, 22, 23}},
        {"x = x * [0 1 0; 1 0 0; 0 0 1]", {}, {0.2, 0.5, 0.9}, {0.5, 0.2, 0.9}},
        {"x = x + y * [1]", {10, 20}, {1, 2}, {11, 22}}};
    for (const auto& [formula, parameters, in, out] : cases) {
        OvEvaluateTrafo trafo(formula);
        trafo.Parameters() = VectorOf(parameters);
        OvVector vector = VectorOf(in);
        vector.SetType(kOvColorXYZ);
        trafo.EvaluateVector(vector);
        EXPECT_EQ(Elements(vector), out) << formula;
        EXPECT_EQ(vector.GetType(), kOvColorRGB);
    }
}

TEST(OvEvaluateTrafo, RunsTheWholeProgramAgainAfterTheXiPassAndKeepsVariables)
{
    OvEvaluateTrafo trafo("xi = xi * 2; n += 1");
    trafo.SetVariable("n", 0.0);
    OvVector vector = VectorOf({1, 2, 3});
    trafo.EvaluateVector(vector);
    EXPECT_EQ(trafo.GetVariable("xi"), 12.0);  // the last channel doubled once more
    EXPECT_EQ(trafo.GetVariable("n"), 4.0);
    EXPECT_TRUE(trafo.UsesVariable("n"));
    EXPECT_FALSE(trafo.UsesVariable("x0"));
}

TEST(OvEvaluateTrafo, ChoosesTheEvaluatorByTheFormula)
{
    EXPECT_FALSE(OvEvaluateTrafo("t=x0; x0=x1; x1=t").UsesMatrices());
    OvEvaluateTrafo matrix("x = x * 2; z = [1]");
    EXPECT_TRUE(matrix.UsesMatrices());
    OvVector vector = VectorOf({1, 2, 3});
    matrix.EvaluateVector(vector);
    EXPECT_EQ(matrix.GetVariable("x"), 2.0);  // the first element
    EXPECT_OV_ERROR(OvEvaluateTrafo("x0 = x1 $"), 19, "FormatErr");
    OvEvaluateTrafo empty;
    EXPECT_OV_ERROR(empty.EvaluateVector(vector), 20, "PtrInvalid");
}
