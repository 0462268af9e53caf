// orvane-hvac: the host program. Loads the HVAC module, opens drawings and
// runs AutoLISP scripts.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/DrawingFiles.h"
#include "app/ExportCommand.h"
#include "app/HostSession.h"
#include "app/IsoRender.h"
#include "app/ModelSpace.h"
#include "database/dbdatabase.h"
#include "projectdb/connectionfile.h"
#include "projectdb/projectfile.h"
#include "projectdb/serverproject.h"
#include "runtime/rxapp.h"

namespace {

// Exit codes: 0 success, 1 an AutoLISP error ended the script, 2 usage,
// 3 the host or module could not start, 4 a file could not be read or
// written.
enum ExitCode { kExitOk = 0, kExitLispError = 1, kExitUsage = 2, kExitHost = 3, kExitFile = 4 };

// Loads the module and opens the drawing; kExitOk when the session is ready.
int startSession(HostSession& session, const std::string& drawing) {
    if (!session.loadModule()) return kExitHost;
    try {
        session.openDocument(drawing);
    } catch (const lisp::LispError& e) {
        std::cerr << "orvane-hvac: " << e.what() << "\n";
        return kExitFile;
    }
    return kExitOk;
}

// Whether a script can be read; says why not on standard error.
bool scriptReadable(const std::string& script) {
    std::error_code ec;
    std::ifstream in(script, std::ios::binary);
    char probe;
    if (!std::filesystem::is_regular_file(script, ec) || !in || (!in.get(probe) && !in.eof())) {
        std::cerr << "orvane-hvac: cannot read script " << script << ": "
                  << (std::filesystem::exists(script, ec) ? "not a readable file" : "no such file") << "\n";
        return false;
    }
    return true;
}

int runCommand(const std::string& drawing, const std::string& script) {
    if (!scriptReadable(script)) return kExitFile;
    HostSession session;
    if (int code = startSession(session, drawing); code != kExitOk) return code;
    bool ok = session.runScript(script);
    std::cout.flush();
    return ok ? kExitOk : kExitLispError;
}

int replCommand(const std::string& drawing) {
    HostSession session;
    if (int code = startSession(session, drawing); code != kExitOk) return code;
    session.repl();
    return kExitOk;
}

int renderCommand(const std::string& drawing, const std::string& output, const std::string& view,
                  const PlotOptions& options) {
    if (view != "plan" && view != "iso") {
        std::cerr << "orvane-hvac: unknown view " << view << " (plan or iso)\n";
        return kExitUsage;
    }
    // The name and the options are checked before the drawing is read.
    std::string error;
    {
        PlotRenderer probe({}, options);
        if (!probe.begin(output, error)) {
            std::cerr << "orvane-hvac: cannot render " << output << ": " << error << "\n";
            return kExitUsage;
        }
    }
    // The module's entities (rooms, leaders) draw through the module's code.
    HostSession session;
    if (!session.loadModule()) return kExitHost;
    // Solids in the drawing need their library's class before reading.
    if (view == "iso") acrxLoadModule("zk_zk-solid2015x64.dbx", false, false);
    AcDbDatabase* db = readDrawing(HostSession::absolutePath(drawing), error);
    if (!db) {
        std::cerr << "orvane-hvac: cannot read " << drawing << ": " << error << "\n";
        return kExitFile;
    }
    const std::string path = HostSession::absolutePath(output);
    bool ok = view == "iso" ? renderIsometric(db, path, options, error) : renderModelSpace(db, path, options, error);
    delete db;
    if (!ok) {
        std::cerr << "orvane-hvac: cannot render " << output << ": " << error << "\n";
        return kExitFile;
    }
    return kExitOk;
}

int newProjectCommand(const std::string& dir, const std::string& name, const std::string& server) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::string folder = HostSession::absolutePath(dir);
    projectdb::ProjectFileResult result = server.empty() ? projectdb::createProject(folder, name)
                                                         : projectdb::createServerProject(folder, name, server);
    if (!result.ok) {
        std::cerr << "orvane-hvac: " << result.message << "\n";
        return kExitFile;
    }
    std::cout << result.path << "\n";
    return kExitOk;
}

// A project file path, or a server connection passed through as it is.
std::string projectLocation(const std::string& where) {
    return projectdb::isServerConnection(where) ? where : HostSession::absolutePath(where);
}

int copyProjectCommand(const std::string& from, const std::string& to) {
    projectdb::ProjectFileResult result = projectdb::copyProject(projectLocation(from), projectLocation(to));
    if (!result.ok) {
        std::cerr << "orvane-hvac: " << result.message << "\n";
        return kExitFile;
    }
    std::cout << result.message << "\n";
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"orvane-hvac: the CAD host stand-in that loads the Orvane HVAC module and runs AutoLISP."};
    app.require_subcommand(1);

    std::string drawing = "Drawing1.dwg";
    std::string script;
    auto* run = app.add_subcommand("run", "Open a drawing and evaluate an AutoLISP script");
    run->add_option("--drawing", drawing, "Drawing to open or create (default Drawing1.dwg)");
    run->add_option("script", script, "AutoLISP script (.lsp)")->required();

    std::string replDrawing = "Drawing1.dwg";
    auto* repl = app.add_subcommand("repl", "Read AutoLISP from standard input");
    repl->add_option("--drawing", replDrawing, "Drawing to open or create (default Drawing1.dwg)");

    std::string renderDrawing, renderOutput;
    PlotOptions plotOptions;
    auto* render = app.add_subcommand("render", "Plot a drawing's model space to a picture (" + plotExtensions() + ")");
    render->add_option("drawing", renderDrawing, "Drawing file (.dxf or the binary format)")->required();
    render->add_option("-o,--output", renderOutput, "Picture to write; its extension chooses the format")->required();
    std::string renderView = "plan";
    render->add_option("--view", renderView, "plan (default) or iso: an isometric, shaded picture of the solids");
    auto* widthOption = render->add_option("--width", plotOptions.pixelWidth,
                                           "Width of the picture in pixels (default 1600; 96 pixels an inch)");
    render->add_option("--scale", plotOptions.scale, "Pixels per drawing unit, instead of a width")
        ->excludes(widthOption);
    render->add_option("--background", plotOptions.background,
                       "white (default), black or #rrggbb; colour 7 plots black or white against it");

    std::string exportDrawing, exportOutput;
    ExportOptions exportOptions;
    auto* exportCmd = app.add_subcommand("export", "Write a drawing in the format of the output name (" +
                                                       exportExtensions() + ")");
    exportCmd->add_option("drawing", exportDrawing, "Drawing file (.dxf or the binary format)")
        ->required()
        ->check(CLI::ExistingFile);
    exportCmd->add_option("-o,--output", exportOutput, "File to write; its extension chooses the format")->required();
    exportCmd->add_flag("--explode", exportOptions.explode,
                        "Replace custom entities by the standard entities they display");

    std::string projectDir, projectName, projectServer;
    auto* newProject = app.add_subcommand("new-project", "Create a project database DIR/NAME_zk_hvac.zk");
    newProject->add_option("dir", projectDir, "Project folder (created when missing)")->required();
    newProject->add_option("name", projectName, "Project name (default: the folder's name)");
    newProject->add_option("--server", projectServer,
                           "Keep the project in this PostgreSQL database (postgresql://... or service=NAME); "
                           "the project file then names it");

    std::string copyFrom, copyTo;
    auto* copyProject = app.add_subcommand("copy-project", "Copy a project's rows and keys to a new file or an empty "
                                                           "PostgreSQL database, in one transaction");
    copyProject->add_option("from", copyFrom, "Project file, or postgresql://... connection")->required();
    copyProject->add_option("to", copyTo, "New project file, or postgresql://... connection")->required();

    // An unknown first word is a mistyped command, not a missing one.
    if (argc > 1 && argv[1][0] != '-') {
        std::string command = argv[1];
        bool known = false;
        for (const CLI::App* sub : app.get_subcommands({})) known = known || sub->check_name(command);
        if (!known) {
            std::cerr << "orvane-hvac: unknown command '" << command
                      << "'; the commands are run, repl, render and new-project (orvane-hvac --help)\n";
            return kExitUsage;
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? kExitOk : kExitUsage;
    }
    if (*run) return runCommand(drawing, script);
    if (*repl) return replCommand(replDrawing);
    if (*render) return renderCommand(renderDrawing, renderOutput, renderView, plotOptions);
    if (*exportCmd) return exportDrawingCommand(exportDrawing, exportOutput, exportOptions);
    if (*newProject) return newProjectCommand(projectDir, projectName, projectServer);
    if (*copyProject) return copyProjectCommand(copyFrom, copyTo);
    return kExitUsage;
}
