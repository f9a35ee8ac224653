#include "cli/rank_command.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <optional>
#include <string_view>

#include "cli/headless_host.h"
#include "cli/terminal.h"
#include "platform/files.h"
#include "platform/site_config.h"
#include "ranking/line_format.h"
#include "ranking/ranking_controls.h"
#include "ranking/ranking_job.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

constexpr int kExitBadOptions = 2;
constexpr int kExitNotSaved = 3;
constexpr int kExitInterrupted = 130;

constexpr const char* kDefaultTemplate = "\"#1\",\"#2\",\"#3\",\"#4\",\"#5\",\"#6\",\"#7\",\"#8\"";

void printRankUsage(std::FILE* out) {
    std::fputs(
        "usage: rankminer rank --domains TEXT [options]\n"
        "\n"
        "Collects the ranking report of every domain into a CSV or text file.\n"
        "\n"
        "  --domains TEXT     domains separated by \"|\" (empty pieces are kept and\n"
        "                     run as empty domains; a trailing \"|\" adds nothing)\n"
        "  --domains-file FILE  the domains from FILE (\"-\": standard input), one a\n"
        "                     line or separated by \"|\"; for lists too long for the\n"
        "                     command line\n"
        "  --mobile           mobile rankings (the indexed-count column stays empty)\n"
        "  --order KEY        position (default), visits or index\n"
        "  --dedupe           skip a keyword already listed for the same domain\n"
        "  --no-resolve       keep search-engine redirect links as they are\n"
        "  --mode MODE        csv (default: quoted cells, header line) or template\n"
        "  --template TEXT    line template for --mode template; #1..#8 stand for\n"
        "                     the columns serial, domain, keyword, rank, volume,\n"
        "                     indexed, title, link (implies --mode template)\n"
        "  --out PATH         write to PATH instead of the time-stamped file beside\n"
        "                     the program (or in the documents folder)\n"
        "  --no-save          write no file, only count the rows\n"
        "  --no-ip-prompt     when the site reports the daily quota, repeat the page\n"
        "                     without asking (default: ask on the terminal; without a\n"
        "                     terminal the job stops)\n"
        "  -h, --help         this text\n"
        "\n"
        "Progress goes to stderr; at the end the number of rows and the path of the\n"
        "file go to stdout. Ctrl-C stops after the current page and closes the file\n"
        "whole; a second Ctrl-C ends the program at once (rows already written stay).\n"
        "\n"
        "Hosts and pauses come from the environment: RANKMINER_RANK_URL,\n"
        "RANKMINER_ENGINE_HOST, RANKMINER_ENGINE_MOBILE_HOST, RANKMINER_TIME_SCALE.\n"
        "\n"
        "Exit status: 0 done, 2 bad options, 3 rows could not be saved (their\n"
        "lines then follow on stdout, header first), 130 stopped by Ctrl-C.\n",
        out);
}

// Every row of the list as the output file would hold it, header first.
void printRowLines(const ReportList& list, const RankOptions& options) {
    LineFormat format;
    writeUtf8(stdout,
              buildHeaderLine(list, options.exportMode, utf8ToGbk(options.lineTemplate), format));
    for (int row = 0; row < list.rowCount(); ++row) {
        writeUtf8(stdout, formatRow(list, row, format));
    }
    std::fflush(stdout);
}

// Splits "--name=value" or takes the value from the next argument.
struct OptionReader {
    const std::vector<char*>& arguments;
    std::size_t index = 0;
    std::string error;

    bool valueOf(std::string_view argument, std::string_view name, std::string& value) {
        if (argument == name) {
            if (index + 1 >= arguments.size()) {
                error = std::string(name) + " needs a value";
                return true;
            }
            value = arguments[++index];
            return true;
        }
        if (argument.size() > name.size() && argument.substr(0, name.size()) == name &&
            argument[name.size()] == '=') {
            value = std::string(argument.substr(name.size() + 1));
            return true;
        }
        return false;
    }
};

// The domain box's text from a file: line breaks separate domains as "|" does.
std::optional<std::string> readDomainsFile(const std::string& name) {
    std::string text;
    if (name == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), {});
    } else {
        std::FILE* file = std::fopen(fileSystemPath(utf8ToGbk(name)).c_str(), "rb");
        if (file == nullptr) {
            return std::nullopt;
        }
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            text.append(buffer, got);
        }
        std::fclose(file);
    }
    text = replaceAllText(text, "\r\n", "|");
    text = replaceAllText(text, "\n", "|");
    return text;
}

}  // namespace

RankOptionsResult parseRankOptions(const std::vector<char*>& arguments) {
    RankOptionsResult result;
    RankOptions& options = result.options;
    OptionReader reader{arguments, 0, {}};
    bool haveDomains = false;
    bool haveMode = false;
    bool haveTemplate = false;
    for (; reader.index < arguments.size(); ++reader.index) {
        const std::string_view argument = arguments[reader.index];
        std::string value;
        if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (argument == "--mobile") {
            options.mobile = true;
        } else if (argument == "--dedupe") {
            options.dedupe = true;
        } else if (argument == "--no-resolve") {
            options.resolveLinks = false;
        } else if (argument == "--no-save") {
            options.save = false;
        } else if (argument == "--no-ip-prompt") {
            options.ipPrompt = false;
        } else if (reader.valueOf(argument, "--domains-file", value)) {
            options.domainsFile = value;
            if (value.empty() && reader.error.empty()) {
                reader.error = "--domains-file needs a path";
            }
        } else if (reader.valueOf(argument, "--domains", value)) {
            options.domains = value;
            haveDomains = true;
        } else if (reader.valueOf(argument, "--order", value)) {
            if (value == "position") {
                options.order = 0;
            } else if (value == "visits") {
                options.order = 1;
            } else if (value == "index") {
                options.order = 2;
            } else if (reader.error.empty()) {
                reader.error = "--order must be position, visits or index, not '" + value + "'";
            }
        } else if (reader.valueOf(argument, "--mode", value)) {
            haveMode = true;
            if (value == "csv") {
                options.exportMode = 0;
            } else if (value == "template") {
                options.exportMode = 1;
            } else if (reader.error.empty()) {
                reader.error = "--mode must be csv or template, not '" + value + "'";
            }
        } else if (reader.valueOf(argument, "--template", value)) {
            options.lineTemplate = value;
            haveTemplate = true;
        } else if (reader.valueOf(argument, "--out", value)) {
            options.outPath = value;
            if (value.empty() && reader.error.empty()) {
                reader.error = "--out needs a path";
            }
        } else {
            reader.error = "unknown option '" + std::string(argument) + "'";
        }
        if (!reader.error.empty()) {
            result.message = reader.error;
            return result;
        }
    }
    if (options.help) {
        result.ok = true;
        return result;
    }
    if (haveDomains && !options.domainsFile.empty()) {
        result.message = "--domains and --domains-file exclude each other";
        return result;
    }
    if (options.domainsFile.empty() && (!haveDomains || options.domains.empty())) {
        result.message = "--domains is required and must not be empty";
        return result;
    }
    if (haveTemplate && !haveMode) {
        options.exportMode = 1;
    } else if (haveTemplate && options.exportMode == 0) {
        result.message = "--template only applies to --mode template";
        return result;
    }
    if (options.exportMode == 1 && !haveTemplate) {
        options.lineTemplate = kDefaultTemplate;
    }
    if (!options.save && !options.outPath.empty()) {
        result.message = "--out and --no-save exclude each other";
        return result;
    }
    result.ok = true;
    return result;
}

int runRankCommand(const std::vector<char*>& arguments) {
    const RankOptionsResult parsed = parseRankOptions(arguments);
    if (!parsed.ok) {
        std::fprintf(stderr, "rankminer rank: %s\n", parsed.message.c_str());
        std::fputs("Run `rankminer rank --help` for the options.\n", stderr);
        return kExitBadOptions;
    }
    const RankOptions& options = parsed.options;
    if (options.help) {
        printRankUsage(stdout);
        return 0;
    }

    std::string domains = options.domains;
    if (!options.domainsFile.empty()) {
        const std::optional<std::string> fromFile = readDomainsFile(options.domainsFile);
        if (!fromFile) {
            std::fprintf(stderr, "rankminer rank: cannot read %s\n", options.domainsFile.c_str());
            return kExitBadOptions;
        }
        domains = *fromFile;
        if (domains.empty()) {
            std::fprintf(stderr, "rankminer rank: %s holds no domains\n",
                         options.domainsFile.c_str());
            return kExitBadOptions;
        }
    }

    const RankingControls& controls = rankingControls();
    HeadlessHost host;
    host.setCaption(controls.startButton, rankingCaptions().idle);
    host.setText(controls.domains, utf8ToGbk(domains));
    host.setChecked(controls.mobile, options.mobile);
    host.setIndex(controls.order, options.order);
    host.setChecked(controls.dedupe, options.dedupe);
    host.setChecked(controls.resolveLinks, options.resolveLinks);
    host.setIndex(controls.exportMode, options.exportMode);
    host.setText(controls.expression, utf8ToGbk(options.lineTemplate));
    host.setChecked(controls.autoSave, options.save);
    host.setTag(controls.savePathButton, utf8ToGbk(options.outPath));
    host.setChecked(controls.ipPrompt, options.ipPrompt);

    RankingJob job(host, SiteConfig::fromEnvironment());
    StatusLine status(stderr);
    host.onStatus = [&](std::string_view text) {
        status.setProgress(job.pagesDone(), job.totalPages());
        status.setStatus(gbkToUtf8(text));
    };
    host.onMessage = [&](std::string_view text, std::string_view /*title*/) {
        status.printMessage(gbkToUtf8(text));
    };
    const HeadlessHost::Question ask = host.askOkCancel;
    host.askOkCancel = [&](std::string_view text) {
        status.finish();
        return ask(text);
    };
    bool interrupted = false;
    installInterruptHandler();
    host.installInterruptPump(
        [&] {
            interrupted = true;
            job.onStartClicked();
        },
        [&] { status.setProgress(job.pagesDone(), job.totalPages()); });

    job.onStartClicked();
    status.finish();

    const std::string path = gbkToUtf8(job.outputPath());
    std::printf("rows: %d\n", job.rowsCollected());
    std::printf("file: %s\n", path.empty() ? "(none)" : path.c_str());
    std::fflush(stdout);
    if (options.save && !job.savingToFile()) {
        // The rows are not lost with the file: the lines it would hold follow.
        std::fputs(
            "rankminer rank: the rows were not all saved; the lines follow on standard "
            "output\n",
            stderr);
        printRowLines(host.reportList(), options);
        return kExitNotSaved;
    }
    return interrupted ? kExitInterrupted : 0;
}

}  // namespace rankminer
