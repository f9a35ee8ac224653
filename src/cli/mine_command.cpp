#include "cli/mine_command.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "cli/headless_host.h"
#include "cli/terminal.h"
#include "mining/mining_controls.h"
#include "mining/mining_job.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/site_config.h"
#include "report/export.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

constexpr std::string_view kUsage =
    "usage: rankminer mine [options] [SEED...]\n"
    "Mines the related keywords of each seed keyword from the ranking site's\n"
    "keyword report (host: RANKMINER_KEYWORD_URL).\n"
    "\n"
    "  SEED...             seed keywords (UTF-8); an empty argument is an empty seed\n"
    "  --seeds-file FILE   one seed per line instead (\"-\": standard input)\n"
    "  --fields LIST       fields after the keyword, comma-separated, in any order:\n"
    "                      volume,indexed,first,second,difficulty (lines always\n"
    "                      carry them in this order)\n"
    "  --max N             at most N rows per seed (0: no maximum)\n"
    "  --page-pause S      seconds to wait after each page (default 0.1)\n"
    "  --seed-pause S      seconds to wait after each seed (default 0.5)\n"
    "  --dir DIR           save the lines (GBK, CR LF) into files in DIR:\n"
    "                      全部结果_<date-time>.<ext> for the whole job\n"
    "  --per-seed          with --dir: one file per seed, <seed>_<date-time>.<ext>\n"
    "  --ext EXT           extension of those files (default csv)\n"
    "  --no-keep-empty     leave a first-page row without keyword empty instead\n"
    "                      of giving it the seed\n"
    "  --out FILE          write the results as an export file (GBK; a .csv name\n"
    "                      gets the header line)\n"
    "  --help              this text\n"
    "\n"
    "Without --dir and --out the lines go to standard output (UTF-8). Progress\n"
    "goes to standard error. Ctrl-C stops after the current page or row; a second\n"
    "Ctrl-C ends the program at once.\n"
    "When the lines cannot all be saved, they all go to standard output at the end.\n"
    "Exit status: 0 done (also after a stop), 1 some results could not be saved,\n"
    "2 wrong arguments or no seeds.\n";

struct MineOptions {
    std::vector<std::string> seeds;  // UTF-8
    std::optional<std::string> seedsFile;
    MiningFields fields;
    std::string maximum = "0";
    std::string pagePause = "0.1";
    std::string seedPause = "0.5";
    std::optional<std::string> folder;
    std::string extension = "csv";
    bool perSeed = false;
    bool keepEmpty = true;
    std::optional<std::string> outFile;
    bool help = false;
};

void printError(std::string_view text) {
    std::fprintf(stderr, "rankminer mine: %.*s\n", static_cast<int>(text.size()), text.data());
}

bool parseFields(std::string_view list, MiningFields& fields) {
    for (const std::string& name : splitText(list, ",")) {
        if (name == "volume") {
            fields.volume = true;
        } else if (name == "indexed") {
            fields.indexed = true;
        } else if (name == "first") {
            fields.first = true;
        } else if (name == "second") {
            fields.second = true;
        } else if (name == "difficulty") {
            fields.difficulty = true;
        } else {
            printError("unknown field '" + name + "' (volume, indexed, first, second, difficulty)");
            return false;
        }
    }
    return true;
}

bool isNumber(std::string_view text, bool decimals) {
    if (text.empty()) {
        return false;
    }
    bool point = false;
    for (const char c : text) {
        if (c == '.' && decimals && !point) {
            point = true;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::optional<MineOptions> parseOptions(const std::vector<char*>& arguments) {
    MineOptions options;
    bool onlySeeds = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view arg = arguments[i];
        if (onlySeeds || arg.empty() || arg[0] != '-' || arg == "-") {
            options.seeds.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            onlySeeds = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--per-seed") {
            options.perSeed = true;
            continue;
        }
        if (arg == "--no-keep-empty") {
            options.keepEmpty = false;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            printError(std::string(arg) + " needs a value");
            return std::nullopt;
        }
        const std::string value = arguments[++i];
        if (arg == "--seeds-file") {
            options.seedsFile = value;
        } else if (arg == "--fields") {
            if (!parseFields(value, options.fields)) {
                return std::nullopt;
            }
        } else if (arg == "--max" || arg == "--page-pause" || arg == "--seed-pause") {
            if (!isNumber(value, arg != "--max")) {
                printError(std::string(arg) + " takes a number, not '" + value + "'");
                return std::nullopt;
            }
            (arg == "--max"          ? options.maximum
             : arg == "--page-pause" ? options.pagePause
                                     : options.seedPause) = value;
        } else if (arg == "--dir") {
            options.folder = value;
        } else if (arg == "--ext") {
            options.extension = value;
        } else if (arg == "--out") {
            options.outFile = value;
        } else {
            printError("unknown option " + std::string(arg));
            return std::nullopt;
        }
    }
    if (options.seedsFile && !options.seeds.empty()) {
        printError("give seeds as arguments or with --seeds-file, not both");
        return std::nullopt;
    }
    return options;
}

// The seed box's text: the lines joined by CR LF, as the window holds them.
std::optional<std::string> seedListText(const MineOptions& options) {
    std::string utf8;
    if (options.seedsFile) {
        if (*options.seedsFile == "-") {
            utf8.assign(std::istreambuf_iterator<char>(std::cin), {});
        } else {
            const std::string path = fileSystemPath(utf8ToGbk(*options.seedsFile));
            std::FILE* file = std::fopen(path.c_str(), "rb");
            if (file == nullptr) {
                printError("cannot read " + *options.seedsFile);
                return std::nullopt;
            }
            char buffer[4096];
            std::size_t got = 0;
            while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
                utf8.append(buffer, got);
            }
            std::fclose(file);
        }
        // Files may end their lines in LF or CR LF alike.
        utf8 = replaceAllText(utf8, "\r\n", "\n");
        utf8 = replaceAllText(utf8, "\n", "\r\n");
    } else {
        for (std::size_t i = 0; i < options.seeds.size(); ++i) {
            utf8 += options.seeds[i];
            utf8 += "\r\n";
        }
    }
    return utf8ToGbk(utf8);
}

void configureHost(HeadlessHost& host, const MineOptions& options, std::string seedList) {
    const MiningControls& c = miningControls();
    host.setCaption(c.startButton, miningIdleCaption());
    host.setText(c.seedList, seedList);
    host.setChecked(c.volumeBox, options.fields.volume);
    host.setChecked(c.indexedBox, options.fields.indexed);
    host.setChecked(c.firstBox, options.fields.first);
    host.setChecked(c.secondBox, options.fields.second);
    host.setChecked(c.difficultyBox, options.fields.difficulty);
    host.setText(c.maximumRows, options.maximum);
    host.setText(c.pagePause, options.pagePause);
    host.setText(c.seedPause, options.seedPause);
    host.setChecked(c.autoSave, options.folder.has_value());
    host.setText(c.folder, options.folder ? utf8ToGbk(*options.folder) : std::string());
    host.setText(c.extension, utf8ToGbk(options.extension));
    host.setChecked(c.perSeedFiles, options.perSeed);
    host.setChecked(c.keepEmptyKeyword, options.keepEmpty);
}

}  // namespace

int runMineCommand(const std::vector<char*>& arguments) {
    const std::optional<MineOptions> options = parseOptions(arguments);
    if (!options) {
        std::fputs("Run `rankminer mine --help` for the options.\n", stderr);
        return 2;
    }
    if (options->help) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return 0;
    }
    std::optional<std::string> seedList = seedListText(*options);
    if (!seedList) {
        return 2;
    }

    HeadlessHost host;
    configureHost(host, *options, *seedList);
    const bool linesToStdout = !options->folder && !options->outFile;
    std::string results;  // the results box
    StatusLine status;
    host.onStatus = [&status](std::string_view text) { status.setStatus(gbkToUtf8(text)); };
    host.onAppend = [&](std::string_view /*name*/, std::string_view text) {
        results += text;
        if (linesToStdout) {
            status.finish();
            writeUtf8(stdout, text);
            std::fflush(stdout);
        }
    };
    std::string completion;
    host.onMessage = [&](std::string_view text, std::string_view /*title*/) {
        completion = std::string(text);
        status.printMessage(gbkToUtf8(text));
    };

    MiningJob job(host, SiteConfig::fromEnvironment());
    installInterruptHandler();
    host.installInterruptPump([&job] { job.onStartClicked(); });
    job.onStartClicked();
    status.finish();
    installMessagePump({});

    if (job.state().headerLine.empty()) {
        return 2;  // no seeds: the job did not start and said why
    }
    int exitStatus = job.state().diskFailure ? 1 : 0;
    bool keptInFile = options->folder && !job.state().diskFailure;
    if (options->outFile) {
        const std::string path = utf8ToGbk(*options->outFile);
        const std::string bytes = buildMiningExport(path, job.state().headerLine, results);
        if (writeWholeFile(path, bytes)) {
            keptInFile = true;
        } else {
            printError("cannot write " + *options->outFile);
            exitStatus = 1;
        }
    }
    if (!linesToStdout && !keptInFile) {
        // The window would still show them in its results box; here standard
        // output is the only place left, so the mined lines are not lost.
        printError("the lines were not all saved; all of them follow on standard output");
        writeUtf8(stdout, results);
        std::fflush(stdout);
    }
    return exitStatus;
}

}  // namespace rankminer
