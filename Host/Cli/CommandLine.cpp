#include "Cli/CommandLine.h"

#include <cctype>

#include "Cli/ValueParsing.h"
#include "HostError.h"

namespace {

// Logical ports and display ids are small numbers; -1 means "no display id".
constexpr int32_t kLargestPort = 255;

bool LooksLikeNegativeNumber(std::string_view token)
{
    return token.size() > 1 && token[0] == '-' &&
           (std::isdigit(static_cast<unsigned char>(token[1])) || token[1] == '.');
}

class TokenReader {
public:
    explicit TokenReader(const std::vector<std::string>& tokens) : fTokens(tokens) {}
    bool AtEnd() const { return fNext >= fTokens.size(); }
    const std::string& Take() { return fTokens[fNext++]; }

    // The value of an option: "--name=value" or the next token.
    std::string ValueOf(std::string_view name, std::optional<std::string> inlineValue)
    {
        if (inlineValue) return *inlineValue;
        if (AtEnd()) throw UsageError("option " + std::string(name) + " needs a value");
        return Take();
    }

private:
    const std::vector<std::string>& fTokens;
    size_t fNext = 0;
};

// Applies a global option; false when name is none.
bool TakeGlobalOption(std::string_view name, std::optional<std::string> inlineValue, TokenReader& reader,
                      GlobalOptions& options)
{
    const auto noValue = [&] {
        if (inlineValue) throw UsageError("option " + std::string(name) + " takes no value");
    };
    if (name == "--sim") {
        noValue();
        options.simulator = true;
    } else if (name == "--stats") {
        noValue();
        options.statistics = true;
    } else if (name == "--port") {
        options.port = ParseInteger(reader.ValueOf(name, inlineValue), 0, kLargestPort, "port");
    } else if (name == "--display") {
        options.displayId = ParseInteger(reader.ValueOf(name, inlineValue), -1, kLargestPort, "display id");
    } else if (name == "--plugin") {
        options.pluginPath = reader.ValueOf(name, inlineValue);
    } else if (name == "--log") {
        options.logTarget = reader.ValueOf(name, inlineValue);
        if (options.logTarget.empty()) throw UsageError("option --log needs a file name or '-'");
    } else if (name == "--emulate") {
        options.emulate = reader.ValueOf(name, inlineValue);
    } else {
        return false;
    }
    return true;
}

const FlagSpec* FindFlag(const std::vector<FlagSpec>& flags, std::string_view name)
{
    for (const FlagSpec& flag : flags) {
        if (flag.name == name) return &flag;
    }
    return nullptr;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& tokens, CommandFlagLookup flagsOf)
{
    CommandLine line;
    std::vector<FlagSpec> commandFlags;
    TokenReader reader(tokens);
    bool optionsEnded = false;
    while (!reader.AtEnd()) {
        const std::string& token = reader.Take();
        const bool isOption = !optionsEnded && token.size() > 1 && token[0] == '-' && !LooksLikeNegativeNumber(token);
        if (!isOption) {
            if (line.command.empty()) {
                const auto flags = flagsOf(token);
                if (!flags) throw UsageError("unknown command '" + token + "' ('zezctl --help' lists the commands)");
                line.command = token;
                commandFlags = *flags;
            } else {
                line.arguments.push_back(token);
            }
            continue;
        }
        if (token == "--") {
            optionsEnded = true;
            continue;
        }
        if (token == "--help" || token == "-h") {
            line.help = true;
            continue;
        }
        const size_t equals = token.find('=');
        const std::string name = token.substr(0, equals);
        const std::optional<std::string> inlineValue =
            equals == std::string::npos ? std::nullopt : std::optional<std::string>(token.substr(equals + 1));
        if (TakeGlobalOption(name, inlineValue, reader, line.options)) continue;
        const FlagSpec* flag = FindFlag(commandFlags, name);
        if (flag == nullptr) {
            throw UsageError("unknown option '" + name + "'" +
                             (line.command.empty() ? std::string() : " for command '" + line.command + "'"));
        }
        if (!flag->takesValue && inlineValue) throw UsageError("option " + name + " takes no value");
        line.flags[name] = flag->takesValue ? reader.ValueOf(name, inlineValue) : std::string();
    }
    return line;
}
