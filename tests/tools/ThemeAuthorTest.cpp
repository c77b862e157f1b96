// What a theme author sees: values of eval, console lines, errors placed in the source.
#include <gtest/gtest.h>

#include "tests/support/CommandRun.h"
#include "tests/support/TempPreferences.h"

namespace {

CommandRun ampora(const std::string& arguments) { return runCommand(AMPORA_BINARY, arguments); }
// Stdout alone: the console goes to stderr.
CommandRun amporaStdout(const std::string& arguments) { return runCommand(AMPORA_BINARY, arguments + " 2>/dev/null"); }

const std::string kPadding = "/* padding so that the script reaches the hundred characters a theme needs */";

size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size()) ++n;
    return n;
}

}  // namespace

TEST(ThemeAuthor, EvalPrintsEveryKindOfValue) {
    TempPreferences prefs;
    const std::pair<const char*, const char*> cases[] = {
        {"1+1", "2\n"},           {"'x' + 1", "x1\n"},           {"undefined", "undefined\n"},
        {"({a: 1})", "{\"a\":1}\n"}, {"[true, null, 'b']", "[true,null,\"b\"]\n"}, {"''", "\n"},
        // No JSON text: its String().
        {"(function f() {})", "function f() {}\n"},
        // The script cannot take the printing away by replacing JSON.
        {"JSON.stringify = null; ({b: 2})", "{\"b\":2}\n"},
        {"let a = 3; const b = 4; a * b", "12\n"},
    };
    for (const auto& [script, printed] : cases) {
        const CommandRun run = amporaStdout(std::string("eval \"") + script + "\"");
        EXPECT_EQ(run.status, 0) << script;
        EXPECT_EQ(run.output, printed) << script;
    }
    const CommandRun thrown = ampora("eval \"throw new TypeError('boom')\"");
    EXPECT_EQ(thrown.status, 1);
    EXPECT_NE(thrown.output.find("TypeError: boom"), std::string::npos) << thrown.output;
    EXPECT_EQ(ampora("eval 'var x = ;'").status, 1);
    const CommandRun stopped = ampora("eval --timeout-ms 50 'for(;;){}'");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.output.find("stopped"), std::string::npos) << stopped.output;
}

TEST(ThemeAuthor, EvalWritesOnlyTheImageTypeAskedFor) {
    TempPreferences prefs;
    const std::string png = prefs.root() + "/out.png";
    const CommandRun text = ampora("eval -o '" + png + "' \"'data:text/plain;base64,aGk='\"");
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.output.find("text/plain, not a PNG"), std::string::npos) << text.output;
    EXPECT_TRUE(prefs.readFile(png).empty());
    // A JPEG is what a .jpg asks for.
    const std::string jpg = prefs.root() + "/out.jpg";
    EXPECT_EQ(ampora("eval -o '" + jpg + "' \"'data:image/jpeg;base64,/9j/4A=='\"").status, 0);
    EXPECT_EQ(prefs.readFile(jpg), std::string("\xff\xd8\xff\xe0"));
    // Labelled a PNG, but it is not one.
    EXPECT_EQ(ampora("eval -o '" + png + "' \"'data:image/png;base64,aGk='\"").status, 1);
    EXPECT_EQ(ampora("eval -o '" + png + "' 42").status, 1);
    EXPECT_EQ(ampora("eval -o '" + png +
                     "' \"var c = document.createElement('canvas'); c.width = c.height = 3; c.toDataURL()\"")
                  .status,
              0);
    EXPECT_EQ(prefs.readFile(png).rfind("\x89PNG", 0), 0u);
}

TEST(ThemeAuthor, ConsoleLinesReachStderrWithTheStateAndAreCapped) {
    TempPreferences prefs;
    const std::string theme = prefs.root() + "/loud.js";
    prefs.writeFile(theme, "(c,g,l,m,e){ console.info('level is', g, l ? 'charging' : 'not charging'); " + kPadding +
                               "\n var x = document.createElement('canvas'); x.width = x.height = c; return x.toDataURL(); }");
    const CommandRun check = ampora("check '" + theme + "'");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(check.output.find("[charging 57%] console.info: level is 57 charging"), std::string::npos) << check.output;
    EXPECT_NE(check.output.find("[low 10%] console.info: level is 10 not charging"), std::string::npos);
    const CommandRun render = ampora("render --level 33 --charging --script '" + theme + "' -o '" + prefs.root() + "/x.png'");
    EXPECT_EQ(render.status, 0) << render.output;
    EXPECT_NE(render.output.find("[33% charging] console.info: level is 33 charging"), std::string::npos) << render.output;

    // A loop of logging stops at 64 KiB, says so, and still gives its value; the
    // time limit is generous so that a slow (sanitized) build finishes the loop.
    const CommandRun flood = runCommand(AMPORA_BINARY, "eval --timeout-ms 5000 \"for (var i = 0; i < 100000; i++) console.log('x'.repeat(100)); 'done'\" 2>&1 >/dev/null | wc -c");
    const long bytes = std::stol(flood.output);
    EXPECT_GT(bytes, 60 * 1024);
    EXPECT_LT(bytes, 72 * 1024);
    const CommandRun tail = ampora("eval --timeout-ms 5000 \"for (var i = 0; i < 100000; i++) console.log(i); 'done'\"");
    EXPECT_EQ(tail.status, 0);
    EXPECT_EQ(count(tail.output, "the rest was dropped"), 1u) << tail.output.substr(tail.output.size() - 300);
    EXPECT_NE(tail.output.find("\ndone\n"), std::string::npos);
}

TEST(ThemeAuthor, ErrorsShowLineColumnAndCaret) {
    TempPreferences prefs;
    const std::string thrown = prefs.root() + "/thrown.js";
    prefs.writeFile(thrown, "(c,g,l,m,e){\n  var q = 1;\n  q = q.nope.deeper;\n  return 'x'; " + kPadding + "\n}");
    const CommandRun run = ampora("check '" + thrown + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("line 3, column 13: TypeError"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("  q = q.nope.deeper;\n"), std::string::npos);
    EXPECT_NE(run.output.find("\n" + std::string(4 + 2 + 12, ' ') + "^"), std::string::npos) << run.output;

    const std::string syntax = prefs.root() + "/syntax.js";
    prefs.writeFile(syntax, "(c,g,l,m,e){\n  var q = 1;\n\n  q = q + ;\n  return 'x'; " + kPadding + "\n}");
    const CommandRun bad = ampora("check '" + syntax + "'");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.output.find("line 4, column 11: SyntaxError"), std::string::npos) << bad.output;
    EXPECT_NE(bad.output.find("\n" + std::string(4 + 2 + 10, ' ') + "^"), std::string::npos) << bad.output;
}
