#pragma once
#include <string>

// Why a plug-in gives no name, in the order the causes are looked for: the
// first that holds is the one the user is told.
enum class PluginProblem {
    None,
    NameNotHeld,     // its name has characters the code page cannot hold
    Unreadable,      // held by another program, or no access
    NotProgram,      // no Windows program file at all
    Damaged,         // headers cut short or pointing outside the file
    Built64Bit,
    BuiltArm64,
    OtherProcessor,
    NotLibrary,      // a program renamed
    MissingLibrary,  // a library it imports is nowhere the loader looks
    LoadFailed,      // its start-up code failed or crashed
    NoEntryPoint,    // no "QueryModule"
    Crashed,         // crashed while asked for its name
    NoName           // "QueryModule" gave no record or no name
};

struct PluginDiagnosis {
    PluginProblem problem = PluginProblem::None;
    std::string library;  // the missing library
};

// The causes the file itself tells, without loading it, so that a foreign
// or broken file is never handed to the loader. Imports are searched in the
// plug-in's folder, hostFolder and where the system looks.
PluginDiagnosis CheckPluginFile(const std::string& path, const std::string& hostFolder);

// The cause as the user reads it: "built for 64-bit Windows; Melodrift cannot load it."
std::string ProblemText(const PluginDiagnosis& diagnosis);
