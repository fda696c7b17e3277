#pragma once

// What every part of the end-to-end test shares: the program's identifiers and
// texts as a user sees them, the checks that print one line each, and the
// steps a user takes in the main dialog.
#include "remote_dialog.h"

#include <cstdio>
#include <string>
#include <vector>

namespace e2e {

// The dialog's control identifiers, as a user's tools (Spy++ and the like) see them.
enum : int {
    driveType = 1000, initialSpeed = 1001, driveSpeed = 1002, accelTime = 1003, calculate = 1004,
    outR = 1005, outSV = 1006, outA = 1007, outV = 1008, summary = 1009, outK = 1010, outAO = 1011,
    decelTime = 1012, outD = 1013, outL = 1014, recalculate = 1016, multiplier = 1017, pulseCount = 1018,
    computeDecelPoint = 1019, decelPoint = 1020,
};

// The details window's parts. Parts of one kind share an identifier and are told
// apart by their order; the sections' parts are children of the page.
namespace details {
enum : int {
    heading = 2000, statusLine = 2001, sectionHeading = 2002, line = 2003, table = 2005, page = 2006,
    copy = 2040, copyAs = 2041, plot = 2301, save = 2400, status = 2401, chooseRow = 2500, formChoice = 2601,
    command = 2603, close = IDCANCEL,
};
} // namespace details

inline constexpr WPARAM idmDetails = 0x0020;
inline const std::wstring detailsClass = L"VeldronixDetails";
inline const std::wstring detailsCaption = L"詳細情報";

inline const std::wstring mainCaption = L"パラメータ算出ツール";
inline const std::wstring aboutCaption = L"Veldronixのﾊﾞｰｼﾞｮﾝ情報";
inline const std::wstring boxCaption = L"Veldronix";
inline const std::wstring noSetting = L"パラメーターエラー。設定値を求めることができません。";
inline const std::wstring driveSpeedZero = L"パラメーターエラー。ドライブ速度が0です。";
inline const std::wstring accelTimeZero = L"パラメーターエラー。ドライブ速度に達する時間が0です。";
inline const std::wstring initialAboveDrive = L"パラメーターエラー。初速度がドライブ速度より大きいです。";
inline const std::wstring decelTimeZero = L"パラメーターエラー。初速度に達する時間が0です。";

inline const std::wstring summary0 = L"初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。";
inline const std::wstring summary3 = L"初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。";

// The nine result fields in the order the program writes them.
inline const int resultFields[] = {summary, outR, outA, outSV, outV, outK, outAO, outD, outL};
using Results = std::vector<std::wstring>;
inline const Results type0Multiplier2 = {summary0, L"4000000 ", L"198.000 ", L"50.000 ", L"5000.000 ", L"", L"", L"", L""};
inline const Results type0Multiplier10 = {summary0, L"800000 ", L"39.600 ", L"10.000 ", L"1000.000 ", L"", L"", L"", L""};
inline const Results type3Multiplier2 = {summary3,   L"4000000 ", L"8000.000 ", L"50.000 ", L"5000.000 ",
                          L"126.263 ", L"0.000",    L"8000.000",  L"284.091"};

inline int passed = 0;
inline int failed = 0;

inline void print(const std::wstring& line)
{
    std::wstring escaped;
    for (const wchar_t c : line) {
        if (c == L'\n') {
            escaped += L"\\n";
        } else {
            escaped += c;
        }
    }
    escaped += L'\n';
    const int size = WideCharToMultiByte(CP_UTF8, 0, escaped.c_str(), static_cast<int>(escaped.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, escaped.c_str(), static_cast<int>(escaped.size()), utf8.data(), size, nullptr,
                        nullptr);
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

inline void check(bool ok, const std::wstring& name, const std::wstring& detail = L"")
{
    (ok ? passed : failed) += 1;
    print((ok ? L"PASS " : L"FAIL ") + name + (ok || detail.empty() ? L"" : L": " + detail));
}

inline void expectText(const std::wstring& name, const std::wstring& actual, const std::wstring& expected)
{
    check(actual == expected, name, L"expected [" + expected + L"], got [" + actual + L"]");
}

inline void expectResults(const RemoteProgram& program, const std::wstring& name, const Results& expected)
{
    Results actual;
    for (const int field : resultFields) {
        actual.push_back(program.text(field));
    }
    std::wstring detail;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (actual[i] != expected[i]) {
            detail += L" field " + std::to_wstring(resultFields[i]) + L" expected [" + expected[i] + L"] got [" +
                      actual[i] + L"]";
        }
    }
    check(detail.empty(), name, detail);
}

// What the user sees of every field and both selectors.
inline std::vector<std::wstring> snapshot(const RemoteProgram& program)
{
    std::vector<std::wstring> all;
    for (int field = driveType; field <= decelPoint; ++field) {
        if (program.item(field) != nullptr) {
            all.push_back(program.text(field));
        }
    }
    all.push_back(std::to_wstring(program.selectedIndex(driveType)));
    all.push_back(std::to_wstring(program.selectedIndex(multiplier)));
    return all;
}

// Clicks a button and checks that exactly the expected message box (or none) came.
inline void clickExpecting(const RemoteProgram& program, const std::wstring& name, int button, const std::wstring& message)
{
    bool finished = false;
    const std::vector<MessageBoxSeen> boxes = program.click(button, finished);
    check(finished, name + L": the command ends");
    if (message.empty()) {
        check(boxes.empty(), name + L": no message box",
              boxes.empty() ? L"" : L"a box said [" + boxes.front().text + L"]");
        return;
    }
    if (boxes.size() != 1) {
        check(false, name + L": one message box", std::to_wstring(boxes.size()) + L" boxes");
        return;
    }
    const MessageBoxSeen& box = boxes.front();
    expectText(name + L": message", box.text, message);
    expectText(name + L": message box caption", box.caption, boxCaption);
    check(box.ownedByDialog && box.onlyOk && box.hasIcon, name + L": a stop box owned by the dialog with OK only",
          L"owned " + std::to_wstring(box.ownedByDialog) + L", OK only " + std::to_wstring(box.onlyOk) +
              L", icon " + std::to_wstring(box.hasIcon));
}

inline void enterDrive(const RemoteProgram& program, int type, const std::wstring& initial, const std::wstring& drive,
                const std::wstring& accel, const std::wstring& decel)
{
    program.select(driveType, type);
    program.setText(initialSpeed, initial);
    program.setText(driveSpeed, drive);
    program.setText(accelTime, accel);
    program.setText(decelTime, decel);
}

} // namespace e2e
