#include "cli/command_docs.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <map>
#include <string_view>
#include <vector>

namespace kvx::cli {

namespace {

std::vector<const CLI::App*> Subcommands(const CLI::App& Command)
{
    return Command.get_subcommands([](const CLI::App*) { return true; });
}

// Options and arguments as help shows them: neither hidden ones nor, below the program, --help.
std::vector<const CLI::Option*> Shown(const CLI::App& Command, bool WithHelp)
{
    return Command.get_options([&](const CLI::Option* o) { return !o->get_group().empty() && (WithHelp || o != Command.get_help_ptr()); });
}

bool TakesValue(const CLI::Option& Option) { return Option.get_items_expected_max() > 0; }
bool Repeats(const CLI::Option& Option) { return Option.get_items_expected_max() > 1; }

// The option's names, long ones last ("-o", "--output"); none for an argument.
std::vector<std::string> Names(const CLI::Option& Option)
{
    std::vector<std::string> names;
    for (const std::string& s : Option.get_snames()) names.push_back("-" + s);
    for (const std::string& l : Option.get_lnames()) names.push_back("--" + l);
    return names;
}

// ---- manual page ------------------------------------------------------------------------

std::string Roff(std::string_view Text)
{
    std::string out;
    for (const char c : Text) out += c == '\\' ? std::string("\\e") : c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}

std::string Bold(std::string_view Text) { return "\\fB" + Roff(Text) + "\\fR"; }
std::string Italic(std::string_view Text) { return "\\fI" + Roff(Text) + "\\fR"; }

// "read the unit's configuration" as a sentence: "Read the unit's configuration."
std::string Sentence(std::string Text)
{
    if (Text.empty()) return Text;
    Text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(Text[0])));
    if (Text.back() != '.') Text += '.';
    const std::string roff = Roff(Text);
    return roff.front() == '.' || roff.front() == '\'' ? "\\&" + roff : roff;
}

// "\fB\-o\fR, \fB\-\-output\fR \fITEMPLATE\fR", or "\fIfile\fR" for an argument.
std::string Entry(const CLI::Option& Option)
{
    if (!Option.nonpositional()) return Italic(Option.get_name(true)) + (Repeats(Option) ? " ..." : "");
    std::string entry;
    for (const std::string& name : Names(Option)) entry += (entry.empty() ? "" : ", ") + Bold(name);
    return TakesValue(Option) ? entry + " " + Italic(Option.get_type_name()) : entry;
}

// How the option appears in a command's line: required ones as they are, others in brackets.
std::string Usage(const CLI::Option& Option)
{
    std::string usage;
    if (Option.nonpositional()) {
        usage = Bold(Names(Option).front());
        if (TakesValue(Option)) usage += " " + Italic(Option.get_type_name());
    } else {
        usage = Italic(Option.get_name(true)) + (Repeats(Option) ? " ..." : "");
    }
    return Option.get_required() ? usage : "[" + usage + "]";
}

void OptionList(const std::vector<const CLI::Option*>& Options, std::string& Page)
{
    for (const CLI::Option* option : Options) Page += ".TP\n" + Entry(*option) + "\n" + Sentence(option->get_description()) + "\n";
}

void CommandEntry(const CLI::App& Command, const std::string& Path, std::string& Page)
{
    const std::vector<const CLI::Option*> options = Shown(Command, false);
    Page += ".TP\n" + Bold(Path);
    for (const CLI::Option* option : options) Page += " " + Usage(*option);
    if (!Subcommands(Command).empty()) Page += " " + Italic("command");
    Page += "\n" + Sentence(Command.get_description()) + "\n";
    if (!options.empty()) {
        Page += ".RS\n";
        OptionList(options, Page);
        Page += ".RE\n";
    }
    for (const CLI::App* sub : Subcommands(Command)) CommandEntry(*sub, Path + " " + sub->get_name(), Page);
}

// ---- bash completion --------------------------------------------------------------------

// What a value's completion offers, by its kind: an extension, "any" file, or nothing.
std::string Offered(const CLI::Option& Option)
{
    static const std::map<std::string, std::string> byKind = {
        {TemplateFile, "kvx"}, {JsonFile, "json"}, {CsvFile, "csv"}, {AnyFile, "any"}};
    const auto found = byKind.find(Option.get_type_name());
    return found == byKind.end() ? "none" : found->second;
}

// A word a case pattern matches as it is.
std::string Quoted(const std::string& Text) { return "'" + Text + "'"; }

std::string Joined(const std::vector<std::string>& Words, const std::string& Between)
{
    std::string joined;
    for (const std::string& word : Words) joined += (joined.empty() ? "" : Between) + word;
    return joined;
}

// The case branches of every command level, gathered in one walk.
struct TBranches {
    std::vector<std::string> Paths;             // " password check"
    std::vector<std::string> TakingValues;      // " read -o"
    std::string Values;                         // prev words that take a value: what they offer
    std::string OptionWords;                    // "-" typed: the level's options
    std::string Arguments;                      // the n-th argument: what it offers, or subcommands
};

void AddLevel(const CLI::App& Command, const std::string& Path, TBranches& Branches)
{
    std::vector<std::string> optionWords;
    std::vector<std::pair<std::string, std::string>> arguments;  // pattern, action
    size_t position = 0;
    for (const CLI::Option* option : Shown(Command, true)) {
        if (!option->nonpositional()) {
            const std::string action = "_kvxctl_files " + Offered(*option);
            // An argument that repeats is the last: it takes every count from its position on.
            arguments.emplace_back(Repeats(*option) ? Quoted(Path + ":") + "*" : Quoted(Path + ":" + std::to_string(position)), action);
            ++position;
            continue;
        }
        std::vector<std::string> patterns;
        for (const std::string& name : Names(*option)) {
            optionWords.push_back(name);
            patterns.push_back(Quoted(Path + " " + name));
        }
        if (!TakesValue(*option)) continue;
        Branches.TakingValues.insert(Branches.TakingValues.end(), patterns.begin(), patterns.end());
        Branches.Values += "    " + Joined(patterns, "|") + ") _kvxctl_files " + Offered(*option) + "; return ;;\n";
    }
    std::vector<std::string> names;
    for (const CLI::App* sub : Subcommands(Command)) names.push_back(sub->get_name());
    if (!names.empty()) arguments.emplace_back(Quoted(Path + ":") + "*", "COMPREPLY=($(compgen -W '" + Joined(names, " ") + "' -- \"$cur\"))");
    Branches.OptionWords += "        " + Quoted(Path) + ") COMPREPLY=($(compgen -W '" + Joined(optionWords, " ") + "' -- \"$cur\")) ;;\n";
    for (const auto& [pattern, action] : arguments) Branches.Arguments += "    " + pattern + ") " + action + " ;;\n";
    for (const CLI::App* sub : Subcommands(Command)) {
        Branches.Paths.push_back(Quoted(Path + " " + sub->get_name()));
        AddLevel(*sub, Path + " " + sub->get_name(), Branches);
    }
}

} // namespace

std::string ManualPageSections(const CLI::App& Program)
{
    std::string page = ".SH OPTIONS\n";
    OptionList(Shown(Program, true), page);
    page += ".SH COMMANDS\n";
    for (const CLI::App* command : Subcommands(Program)) CommandEntry(*command, command->get_name(), page);
    return page;
}

std::string BashCompletion(const CLI::App& Program)
{
    TBranches branches;
    AddLevel(Program, "", branches);
    const std::string name = Program.get_name();
    return "# bash completion for " + name + ", generated from its command line definitions.\n"
           "\n"
           "# Files of one extension (and folders), any file, or nothing.\n"
           "_kvxctl_files()\n"
           "{\n"
           "    local IFS=$'\\n'\n"
           "    case $1 in\n"
           "    none) COMPREPLY=() ;;\n"
           "    any) compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -f -- \"$cur\")) ;;\n"
           "    *) compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -d -- \"$cur\") $(compgen -f -X \"!*.$1\" -- \"$cur\")) ;;\n"
           "    esac\n"
           "}\n"
           "\n"
           "_kvxctl()\n"
           "{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    local path= word skip= count=0 i\n"
           "    # The subcommands given so far, and how many arguments the last one has.\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        word=${COMP_WORDS[i]}\n"
           "        if [[ -n $skip ]]; then skip=; continue; fi\n"
           "        case \"$path $word\" in\n"
           "        " + Joined(branches.Paths, "|") + ") path=\"$path $word\"; count=0; continue ;;\n"
           "        " + Joined(branches.TakingValues, "|") + ") skip=1; continue ;;\n"
           "        esac\n"
           "        [[ $word == -* ]] || ((count++))\n"
           "    done\n"
           "    case \"$path $prev\" in\n" + branches.Values +
           "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        case \"$path\" in\n" + branches.OptionWords +
           "        esac\n"
           "        return\n"
           "    fi\n"
           "    case \"$path:$count\" in\n" + branches.Arguments +
           "    esac\n"
           "}\n"
           "\n"
           "complete -F _kvxctl " + name + "\n";
}

} // namespace kvx::cli
