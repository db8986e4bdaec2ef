#include "QXScanCommandLine.h"

#include "QXScanConfigCommand.h"
#include "QXScanInfoCommand.h"
#include "QXScanListCommand.h"
#include "QXScanMaskCommand.h"
#include "QXScanOptions.h"
#include "QXScanSession.h"
#include "QXScanSystemFolder.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <functional>
#include <string>

namespace
{
// The pages option takes a number or "all".
int ParsePages(const std::string& text)
{
    if (text == "all")
        return -1;
    return std::stoi(text);
}

void AddScanCommand(CLI::App& app, QXSCAN_OPTIONS& options, std::string& pages)
{
    CLI::App* scan = app.add_subcommand("scan", "Scan pages into files and index.jsonl");
    scan->add_option("scanner", options.scanner, "Scanner name as qxscan list prints it")->required();
    scan->add_option("--pages", pages, "Images to transfer (a duplex sheet gives two), or all")
        ->default_val("all")
        ->check([](const std::string& text) {
            if (text == "all")
                return std::string();
            const bool number = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
            return number && text.size() < 7 && std::stoi(text) > 0
                       ? std::string()
                       : std::string("--pages takes a positive number or all");
        });
    scan->add_flag("--duplex", options.duplex, "Scan both sides of every sheet");
    scan->add_option("--mode", options.mode, "bw, gray or color")
        ->check(CLI::IsMember({"bw", "gray", "color"}));
    scan->add_option("--dpi", options.dpi, "Resolution in dots per inch")->check(CLI::Range(50, 1200));
    scan->add_option("--transfer", options.transfer,
                     "memory, native or file (the scanner writes TIFF files itself)")
        ->check(CLI::IsMember({"memory", "native", "file"}));
    CLI::Option* repeat = scan->add_flag("--repeat", options.repeat,
                                         "Scan again whenever paper is loaded, until Ctrl-C");
    scan->add_option("--pause", options.pauseMs, "Milliseconds between repeat passes")
        ->needs(repeat)
        ->check(CLI::Range(0, 3600000));
    scan->add_option("--settings", options.settingsFile, "Scanner configuration or job scanner group file to apply")
        ->check(CLI::ExistingFile);
    scan->add_option("--out", options.outFolder, "Output folder (created when missing)")->required();
    scan->add_option("--format", options.format, "tiff-g4, tiff, jpeg, png or pdf; G4 and JPEG data are kept as the scanner coded them")
        ->check(CLI::IsMember({"tiff-g4", "tiff", "jpeg", "png", "pdf"}));
    scan->add_flag("--multipage", options.multipage, "One multipage TIFF or PDF per document");
}

struct MASK_ARGUMENTS
{
    CLI::App* validate = nullptr;
    CLI::App* format = nullptr;
    CLI::App* expression = nullptr;
    std::string kind;
    std::string mask;
    std::string value;
    std::string inputMask;
};

void AddMaskCommand(CLI::App& app, MASK_ARGUMENTS& mask)
{
    CLI::App* command = app.add_subcommand("mask", "Check masks and values, format index data");
    command->require_subcommand(1);
    mask.validate = command->add_subcommand("validate", "Validate a mask, or a value against it");
    mask.validate->add_option("kind", mask.kind, "input, time, output or default")
        ->required()
        ->check(CLI::IsMember({"input", "time", "output", "default"}));
    mask.validate->add_option("mask", mask.mask, "The mask or expression")->required();
    mask.validate->add_option("value", mask.value, "A value to check against an input or time mask");
    mask.format = command->add_subcommand("format", "Format a value through an output mask");
    mask.format->add_option("mask", mask.mask, "The output mask")->required();
    mask.format->add_option("value", mask.value, "The value")->required();
    mask.format->add_option("--input-mask", mask.inputMask, "Input mask the value was entered with");
    mask.expression = command->add_subcommand("default", "Evaluate a default-value expression");
    mask.expression->add_option("expression", mask.mask, "The expression")->required();
}

int RunMask(const MASK_ARGUMENTS& mask)
{
    if (mask.format->parsed())
        return CQXScanMaskCommand::Format(mask.mask, mask.value, mask.inputMask, stdout);
    if (mask.expression->parsed())
        return CQXScanMaskCommand::Default(mask.mask, stdout);
    const bool hasValue = mask.validate->get_option("value")->count() > 0;
    return CQXScanMaskCommand::Validate(mask.kind, mask.mask, hasValue ? &mask.value : nullptr, stdout);
}

// Combinations the single options cannot check.
std::string CheckScanOptions(const QXSCAN_OPTIONS& options)
{
    if (options.multipage && (options.format == "jpeg" || options.format == "png"))
        return "--multipage needs a TIFF format or pdf";
    if (options.transfer == "file" && options.format.rfind("tiff", 0) != 0)
        return "--transfer file gives the scanner's own TIFF files; use --format tiff or tiff-g4";
    if (options.multipage && options.transfer == "file")
        return "--multipage needs --transfer memory or native";
    if (options.format == "tiff-g4" && !options.mode.empty() && options.mode != "bw")
        return "--format tiff-g4 needs --mode bw";
    if (options.format == "jpeg" && options.mode == "bw")
        return "--format jpeg needs --mode gray or color";
    return std::string();
}

int Fail(EQXScanExitCode code, const std::string& message)
{
    std::fprintf(stderr, "qxscan: %s\n", message.c_str());
    return code;
}

int RunScan(QXSCAN_OPTIONS& options, const std::string& pages)
{
    options.pages = ParsePages(pages);
    const std::string problem = CheckScanOptions(options);
    if (!problem.empty())
        return Fail(QXSCAN_EXIT_BAD_ARGUMENTS, problem);
    CQXScanSession session(options);
    std::string error;
    const EQXScanExitCode code = session.Run(error);
    return code == QXSCAN_EXIT_OK ? code : Fail(code, error);
}
} // namespace

int CQXScanCommandLine::Run(int argc, char** argv)
{
    CLI::App app("qxscan: list, inspect and drive document scanners; check index data.", "qxscan");
    app.require_subcommand(1);
    app.footer(QXScanExitCodeHelp() +
               "\nWithout --system or ZK_SYSTEM_DIR the simulated scanners of the build or\n"
               "installation are used.");
    std::string system;
    app.add_option("--system", system, "System folder with the TWAIN manager and ISIS drivers");

    bool json = false;
    CLI::App* list = app.add_subcommand("list", "List every TWAIN source and ISIS driver");
    list->add_flag("--json", json, "A JSON array for machines");

    std::string infoScanner;
    bool infoJson = false;
    CLI::App* info = app.add_subcommand("info", "Show what a scanner reports about itself");
    info->add_option("scanner", infoScanner, "Scanner name as qxscan list prints it")->required();
    info->add_flag("--json", infoJson, "A JSON object for machines");

    QXSCAN_OPTIONS options;
    std::string pages;
    AddScanCommand(app, options, pages);
    MASK_ARGUMENTS mask;
    AddMaskCommand(app, mask);
    std::string configFile;
    CLI::App* config = app.add_subcommand("config", "Show configuration files");
    config->require_subcommand(1);
    CLI::App* show = config->add_subcommand("show", "Show a scanner configuration or job scanner group file");
    show->add_option("file", configFile, "The file")->required()->check(CLI::ExistingFile);

    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::CallForHelp& help)
    {
        return app.exit(help);
    }
    catch (const CLI::ParseError& error)
    {
        if (error.get_exit_code() == 0)
            return app.exit(error);
        return Fail(QXSCAN_EXIT_BAD_ARGUMENTS, std::string(error.what()) + " (see qxscan --help)");
    }
    if (mask.validate->parsed() || mask.format->parsed() || mask.expression->parsed())
        return RunMask(mask);
    if (show->parsed())
        return CQXScanConfigCommand::Show(configFile, stdout);
    CQXScanSystemFolder::Apply(CQXScanSystemFolder::Resolve(system, argv[0]));
    if (list->parsed())
        return CQXScanListCommand::Run(json, stdout);
    if (info->parsed())
        return CQXScanInfoCommand::Run(infoScanner, infoJson, stdout);
    return RunScan(options, pages);
}
