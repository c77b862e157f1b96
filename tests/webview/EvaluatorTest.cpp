#include <gtest/gtest.h>

#include <chrono>

#include "tests/webview/CanvasTestSupport.h"

using webview::EvaluationOutcome;
using webview::UIWebView;

TEST(Evaluator, OnlyStringValuesComeBack) {
    UIWebView page;
    page.loadHTMLString("");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("'a' + 'b'"), "ab");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("'grüß ☀'"), "grüß ☀");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("(function(a){return 'x' + a})(5)"), "x5");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("let s = 'block'; s"), "block");

    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("42"), "");
    EXPECT_EQ(page.lastOutcome().kind, EvaluationOutcome::Kind::NotAString);
    EXPECT_EQ(page.lastOutcome().describe(), "the script returned a number, not a string");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("({})"), "");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("undefined"), "");
}

TEST(Evaluator, ExceptionsAndSyntaxErrorsGiveEmptyWithAReason) {
    UIWebView page;
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("1;\nnull.x"), "");
    EXPECT_EQ(page.lastOutcome().kind, EvaluationOutcome::Kind::Exception);
    EXPECT_NE(page.lastOutcome().message.find("TypeError"), std::string::npos);
    EXPECT_EQ(page.lastOutcome().line, 2);

    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("(function(){ return 'x' "), "");
    EXPECT_NE(page.lastOutcome().message.find("SyntaxError"), std::string::npos);

    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("throw 5"), "");
    EXPECT_EQ(page.lastOutcome().message, "5");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("throw {toString(){throw 1}}"), "");

    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("(function f(n){return f(n+1)})(0)"), "");
    EXPECT_NE(page.lastOutcome().message.find("RangeError"), std::string::npos);
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("'still ' + 'fine'"), "still fine");
}

TEST(Evaluator, AnEmptyPageForgetsWhatTheLastScriptLeft) {
    UIWebView page;
    page.loadHTMLString("");
    page.stringByEvaluatingJavaScriptFromString("leaked = 'implicit'; var declared = 'var'; let lexical = 1; "
                                                "document = null; Math = 3; console.log = null; ''");
    // Without a reset the page keeps its globals, as a browser's does.
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("leaked"), "implicit");
    page.loadHTMLString("");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString(
                  "[typeof leaked, typeof declared, typeof lexical, typeof document.createElement, typeof Math.max,"
                  " typeof console.log].join()"),
              "undefined,undefined,undefined,function,function,function");
    // The same names can be declared again.
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("let lexical = 'again'; var declared = 'ok'; lexical"),
              "again");
    page.loadHTMLString("");
    page.stringByEvaluatingJavaScriptFromString("document.createElement = function(){ return 1 }; ''");
    page.loadHTMLString("");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("typeof document.createElement('canvas').getContext"),
              "function");
}

TEST(Evaluator, ThePageObjectsBehaveAsABrowsersDo) {
    EXPECT_EQ(evaluate("var e = new DOMException('m', 'IndexSizeError');"
                       "[e instanceof DOMException, e instanceof Error, e.name, e.message, String(e), typeof DOMException,"
                       " ({}) instanceof DOMException, new DOMException().name].join()"),
              "true,true,IndexSizeError,m,IndexSizeError: m,function,false,Error");
    EXPECT_EQ(evaluate("try { DOMException('x') } catch (e) { e.name }"), "TypeError");
    EXPECT_EQ(evaluate("try { document.createElement('canvas').getContext('2d').arc(0,0,-1,0,1) }"
                       " catch (e) { [e instanceof DOMException, e.name].join() }"),
              "true,IndexSizeError");
    EXPECT_EQ(evaluate("[document.body === document.body, document.documentElement.tagName, document.readyState,"
                       " document.createElementNS('x', 'canvas').tagName, document.createElement('svg').nodeName,"
                       " document.getElementById('a'), document.querySelectorAll('p').length,"
                       " Object.keys(window).indexOf('document')].join()"),
              "true,HTML,complete,CANVAS,SVG,,0,-1");
}

TEST(Evaluator, ChangedPagePrototypesStayOnTheirPage) {
    UIWebView page;
    page.stringByEvaluatingJavaScriptFromString(
        "Object.getPrototypeOf(document).createElement = function(){ return 1 };"
        "Object.getPrototypeOf(console).log = function(){ throw 1 };"
        "Object.getPrototypeOf(document.body).appendChild = null; DOMException.prototype.name = 'Bad'; ''");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("typeof document.createElement('canvas')"), "number");
    page.loadHTMLString("");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString(
                  "console.log('fine'); [typeof document.createElement('canvas').getContext,"
                  " typeof document.body.appendChild, DOMException.prototype.name].join()"),
              "function,function,Error");
}

TEST(Evaluator, EndlessLoopStopsAtTheLimitAndThePageRecovers) {
    UIWebView page;
    page.setTimeLimit(std::chrono::milliseconds(100));
    page.loadHTMLString("");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("for(;;){}"), "");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(page.lastOutcome().kind, EvaluationOutcome::Kind::Timeout);
    EXPECT_GE(elapsed, std::chrono::milliseconds(90));
    EXPECT_LT(elapsed, std::chrono::milliseconds(2000));
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("while(true){ try { for(;;){} } catch(e) {} }"), "");
    EXPECT_EQ(page.lastOutcome().kind, EvaluationOutcome::Kind::Timeout) << "a catch cannot keep it running";
    page.loadHTMLString("");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("'next ' + 'works'"), "next works");
}

TEST(Evaluator, NothingOutsideThePageIsReachable) {
    EXPECT_EQ(evaluate("[typeof setTimeout, typeof setInterval, typeof fetch, typeof XMLHttpRequest, typeof require,"
                       " typeof process, typeof WebSocket].join()"),
              "undefined,undefined,undefined,undefined,undefined,undefined,undefined");
    UIWebView page;
    page.stringByEvaluatingJavaScriptFromString("var r = 'pending'; import('./x.js').then(() => r = 'loaded', () => r = 'refused'); ''");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("r"), "refused");
    EXPECT_EQ(evaluate("[window === globalThis, self === window, typeof document.body.appendChild].join()"),
              "true,true,function");
}

TEST(Evaluator, ThrowingArgumentsEndTheCallCleanly) {
    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d');"
                       "x.fillRect({valueOf(){throw new Error('boom')}},0,1,1); 'after'"),
              "");
    EXPECT_NE(sharedPage().lastOutcome().message.find("boom"), std::string::npos);
    EXPECT_EQ(evaluate("var x=document.createElement('canvas').getContext('2d');"
                       "try { x.font = {toString(){throw 7}} } catch (e) { 'caught ' + e }"),
              "caught 7");
}

TEST(Evaluator, ThemeCallsGiveWhatTheWholeExpressionGives) {
    UIWebView page;
    auto run = [&](const std::string& script) {
        page.loadHTMLString("");
        return page.stringByEvaluatingJavaScriptFromString(script);
    };
    const std::string args = "(40,57,!!0,!!1,!!-2,[255,0,3],[1,2,3,0.50])";
    EXPECT_EQ(run("(function(h,l,c,m,p,e,b){return [h,l,c,m,p,e.join(':'),b.join(':'),typeof this].join()})" + args),
              "40,57,false,true,true,255:0:3,1:2:3:0.5,object");
    EXPECT_EQ(run("(function(){'use strict'; return typeof this})(1)"), "undefined");
    EXPECT_EQ(run("(function(){return 'a'}) || (function(){return 'b'})(1,2)"), "") << "the first function, not a string";
    EXPECT_EQ(run("(function(){return 'a'}, function(){return 'b'})(1,2)"), "b");
    EXPECT_EQ(run("(function(){return 'a'})//)(1,2)"), "") << "a comment, not a call";
    EXPECT_EQ(run("(function(x){\nthrow new Error('at ' + x)})(7)"), "");
    EXPECT_EQ(page.lastOutcome().message, "Error: at 7");
    EXPECT_EQ(page.lastOutcome().line, 2);
    EXPECT_EQ(run("(function(){return arguments.length + ''})(1,[2,3],!!0)"), "3");
    page.setTimeLimit(std::chrono::milliseconds(100));
    EXPECT_EQ(run("(function(){for(;;){}})(1,2,!!0,!!0,[1,2,3])"), "");
    EXPECT_EQ(page.lastOutcome().kind, EvaluationOutcome::Kind::Timeout);
    page.setTimeLimit(UIWebView::kDefaultTimeLimit);
    EXPECT_EQ(run("(function(){return 'after'})(1)"), "after");
}
