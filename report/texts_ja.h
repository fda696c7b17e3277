#pragma once

#include "report/comparison_texts.h"
#include "report/file_write_reason.h"
#include "report/text_sets.h"

#include <string_view>

// The texts of the details window, in Japanese as the dialog writes them (speeds
// in PPS, times in 秒), shared by every front end that shows the details. The
// texts with "{}" are {fmt} format strings, filled in order; "{0}" ... "{3}" are
// filled by position.
namespace veldronix::report::texts::ja {

// The window and its buttons; the menu item that opens it is IDS_DETAILS in res/dialog_layout.def.
inline constexpr std::string_view windowCaption = "詳細情報";
inline constexpr std::string_view copyButton = "コピー(&C)";
inline constexpr std::string_view saveButton = "保存(&S)...";
inline constexpr std::string_view closeButton = "閉じる";
// Beside the copy button: a menu of the formats to copy the integers in.
inline constexpr std::string_view copyAsButton = "形式を選んでコピー(&F)...";

// What the details are of: the drive type's selector item and the multiplier's.
inline constexpr std::string_view heading = "ドライブ種類:{}　倍率:{}";
// A drive type that names no selector item.
inline constexpr std::string_view driveTypeNone = "(指定なし)";
inline constexpr std::string_view notCalculated =
    "設定値が計算されていません。入力情報を入力し、決定ボタンを押してください。";

// The integers to write beside the values the dialog shows.
inline constexpr std::string_view registersHeading = "整数の設定値";
inline constexpr std::string_view columnRegister = "レジスタ";
inline constexpr std::string_view columnInteger = "整数";
inline constexpr std::string_view columnSettingValue = "求めた値";
// An integer, a real value or a deviation that does not exist.
inline constexpr std::string_view none = "なし";
// A line of the clipboard text: the register's letter and its integer.
inline constexpr std::string_view clipboardLine = "{}={}\n";
inline constexpr std::string_view copied = "整数の設定値をクリップボードにコピーしました。";

// The drive of the integers beside the requested one.
inline constexpr std::string_view realDriveHeading = "丸めた設定値による実際のドライブ";
inline constexpr std::string_view columnQuantity = "項目";
inline constexpr std::string_view columnRequested = "指定値";
inline constexpr std::string_view columnReal = "実際の値";
inline constexpr std::string_view columnDeviation = "偏差";
inline constexpr std::string_view labelInitialSpeed = "初速度";
inline constexpr std::string_view labelDriveSpeed = "ドライブ速度";
// The symmetric types decelerate in the acceleration time, with the acceleration's jerk.
inline constexpr std::string_view labelRampTime = "加減速時間";
inline constexpr std::string_view labelAccelTime = "加速時間";
inline constexpr std::string_view labelDecelTime = "減速時間";
inline constexpr std::string_view labelJerk = "加加速度";
inline constexpr std::string_view labelAccelJerk = "加速の加加速度";
inline constexpr std::string_view labelDecelJerk = "減速の加加速度";
inline constexpr Format1 speed = "{} PPS";
inline constexpr Format1 time = "{}秒";
inline constexpr Format1 jerk = "{} PPS/秒²";
inline constexpr std::string_view deviation = "{} %";
// A real value that a register with a finding leaves unknown.
inline constexpr std::string_view noReal = "なし(確認事項を参照)";

// The findings: integers that cannot be written as they stand.
inline constexpr std::string_view findingsHeading = "確認事項";
inline constexpr std::string_view findingsNone = "なし。整数の設定値はどれもそのまま設定できます。";
// The same under a finding of the input: the integers fit, but of a drive read otherwise than typed.
inline constexpr std::string_view findingsNoneButInput =
    "整数の設定値はどれもそのまま設定できます。ただし、上の入力の読み方のとおりに計算した値です。";
// The mark before each finding, so that it cannot be missed.
inline constexpr std::string_view findingMark = "▲";
// {0} the register, {1} its integer, {2} the value the dialog shows, {3} the reason.
inline constexpr std::string_view finding = "{0}={1}(求めた値 {2}):{3}";
inline constexpr std::string_view reasonZeroInitialSpeed =
    "初速度が0ではパルスが出力されないため、ドライブを始められません。";
inline constexpr std::string_view reasonZeroDriveSpeed = "ドライブ速度が0ではパルスが出力されないため、ドライブしません。";
inline constexpr std::string_view reasonZeroAccel = "加速度が0ではドライブ速度に達しません。";
inline constexpr std::string_view reasonZeroDecel = "減速度が0では初速度に戻りません。";
inline constexpr std::string_view reasonZeroK = "加速の加加速度は62500000×倍率÷Kのため、Kが0では加速しません。";
inline constexpr std::string_view reasonZeroL = "減速の加加速度は62500000×倍率÷Lのため、Lが0では減速しません。";
inline constexpr std::string_view reasonZeroR = "Rは0にできません。";
inline constexpr std::string_view reasonNegative = "レジスタに負の値は設定できません。";
// {0} the register's maximum.
inline constexpr std::string_view reasonAboveMaximum = "レジスタの最大値{0}を超えています。";
inline constexpr std::string_view reasonNotFinite = "無限大または数値ではないため、レジスタに設定できません。";

// The velocity profile of the pulse count in 出力パルス数.
inline constexpr std::string_view plotHeading = "速度プロファイル";
inline constexpr std::string_view noPulseCount =
    "速度プロファイルを表示するには、出力パルス数に0より大きい数値を入力してください。";
// A move too short: {0} the pulse count, {1} the initial speed, {2} the drive
// speed, {3} the pulses that the acceleration and the deceleration need together.
inline constexpr std::string_view shortMove =
    "移動量が短すぎます。出力パルス数{0}では、初速度{1} PPSからドライブ速度{2} PPSに達して初速度に戻れません"
    "(加速と減速に{3}パルス必要です)。";
inline constexpr std::string_view unknownDriveType = "ドライブ種類が選択されていないため、加減速の形が決まりません。";
inline constexpr std::string_view speedsReversed = "初速度がドライブ速度より大きいため、速度プロファイルはありません。";
inline constexpr std::string_view noDriveSpeed = "ドライブ速度が0のため、ドライブしません。";
// {0} the initial speed.
inline constexpr std::string_view negativeSpeed = "初速度{0} PPSが負のため、速度プロファイルはありません。";
inline constexpr std::string_view badRampTime = "加速または減速の時間が0以下のため、速度プロファイルはありません。";
inline constexpr std::string_view noJerk =
    "初速度とドライブ速度が等しいS字加減速には加加速度がない(Kが無限大)ため、速度プロファイルはありません。";
inline constexpr std::string_view notFinite = "速度プロファイルの数値が無限大または数値ではありません。";

// Under the plot: how the integers' real drive ends when it decelerates from
// the plotted deceleration point ({0}), early or late by {1} pulses.
inline constexpr std::string_view endsEarly =
    "整数の設定値では、減速点{0}から減速すると出力パルス数の{1}パルス前に初速度に戻り、残りを初速度で出力します。";
inline constexpr std::string_view endsLate =
    "整数の設定値では、減速点{0}から減速すると、初速度に戻る{1}パルス前に出力パルス数が終わります。";
inline constexpr std::string_view endsExactly =
    "整数の設定値でも、減速点{0}から減速すると出力パルス数の終わりにちょうど初速度に戻ります。";
inline constexpr std::string_view realUnknown = "整数の設定値による実際のドライブは、確認事項があるため求められません。";
// The real drive has no motion of the pulse count: why.
inline constexpr std::string_view realNoMotion = "整数の設定値による実際のドライブ:{0}";
// The requested drive has no motion whose deceleration point the real one could use.
inline constexpr std::string_view requestedNoDecelPoint = "指定のドライブには、比べる減速点がありません。";

// The plot's own texts (report::PlotTexts).
inline constexpr std::string_view plotTitle = "速度プロファイル:{}";
// The pulse count, the initial and the drive speed, the ramps' shape.
inline constexpr std::string_view plotSubject = "出力パルス数{}、初速度{} PPS、ドライブ速度{} PPS、{}";
inline constexpr std::string_view shapeLinear = "直線加減速";
inline constexpr std::string_view shapeSCurve = "S字加減速";
inline constexpr std::string_view timeAxis = "時間(単位：秒)";
inline constexpr std::string_view speedAxis = "速度(単位：PPS)";
inline constexpr std::string_view phaseAccel = "加速";
inline constexpr std::string_view phaseConstant = "定速";
inline constexpr std::string_view phaseDecel = "減速";
inline constexpr std::string_view totalMove = "合計";
inline constexpr std::string_view decelPoint = "減速点:{}パルス";
inline constexpr std::string_view driveSpeedLabel = "ドライブ速度 {} PPS";
inline constexpr std::string_view initialSpeedLabel = "初速度 {} PPS";
inline constexpr std::string_view phaseTime = "{}秒";
inline constexpr std::string_view phasePulses = "{}パルス";
inline constexpr std::string_view ramp = "{} → {} PPS";
inline constexpr std::string_view sCurveRamp = "{} → {} PPS、加加速度 {} PPS/秒²";
inline constexpr std::string_view atSpeed = "{} PPSで一定";
// The fonts of the saved plot: the dialogs' Gothic on Linux and Windows first.
inline constexpr std::string_view fontFamily = "IPAPGothic, MS PGothic, Noto Sans CJK JP, sans-serif";
// The columns of the plot's table of phases.
inline constexpr std::string_view columnPhase = "区間";
inline constexpr std::string_view columnTime = "時間";
inline constexpr std::string_view columnPulses = "パルス数";
inline constexpr std::string_view columnDetail = "速度";

// Saving the plot.
inline constexpr std::string_view saveTitle = "速度プロファイルの保存";
inline constexpr std::string_view saveFilterSvg = "SVG 画像 (*.svg)";
inline constexpr std::string_view saveFilterPng = "PNG 画像 (*.png)";
// The file's name.
inline constexpr std::string_view saved = "{} に保存しました。";
// The file's name and why it was not written.
inline constexpr std::string_view saveFailed = "{} に保存できませんでした。{}";
inline constexpr FileWriteTexts fileWrite{
    .cannotCreate = "ファイルを作成できません。",
    .writeFailed = "データを書き込めませんでした。元のファイルはそのままです。",
    .cannotReplace = "ファイルを置き換えられません。元のファイルはそのままです。",
    .isFolder = "フォルダーです。ファイルではないので、そのままにしました。",
    .isDevice = "デバイスです。ファイルではないので、そのままにしました。",
    .isFifo = "名前付きパイプ(FIFO)です。ファイルではないので、そのままにしました。",
    .isSocket = "ソケットです。ファイルではないので、そのままにしました。",
    .notAFile = "通常のファイルではないので、そのままにしました。",
    .tooManyLinks = "シンボリックリンクが循環しているか、深すぎます。",
    .otherwise = "ファイルを置き換えられません。元のファイルはそのままです。",
};
inline constexpr std::string_view saveNoPlot = "保存する速度プロファイルがありません。";

// The axis's units beside the figures in pulses: {0} the figure in PPS with its
// unit, {1} the figure in the axis's units (a speed also as motor rpm).
inline constexpr std::string_view inUnitsAfterPulses = "{0}({1})";
// {0} the figure, {1} its unit; a speed's {0} with it and {1} the motor's rpm.
inline constexpr std::string_view figureWithUnit = "{0} {1}";
inline constexpr std::string_view speedAndRpm = "{0}、{1} rpm";
// The units of a speed, an acceleration and a jerk: {0} the axis's unit.
inline constexpr std::string_view unitPerSecond = "{0}/s";
inline constexpr std::string_view unitPerSecondSquared = "{0}/s²";
inline constexpr std::string_view unitPerSecondCubed = "{0}/s³";
inline constexpr std::string_view unitRpm = "rpm";
inline constexpr std::string_view unitMillimetre = "mm";
inline constexpr std::string_view unitDegree = "°";
// {0} the pulse count, {1} the distance, {2} the unit.
inline constexpr std::string_view pulseDistance = "出力パルス数{0}パルスは{1} {2}の移動です。";

// The axis form: the machine's axes, the current one's mechanics, its file.
inline constexpr std::string_view axisHeading = "軸";
inline constexpr std::string_view axisChoice = "軸の一覧";
inline constexpr std::string_view axisName = "名前";
inline constexpr std::string_view axisPulsesPerRev = "1回転のパルス数";
inline constexpr std::string_view axisGear = "減速比";
inline constexpr std::string_view axisTravelPerRev = "1回転の移動量";
inline constexpr std::string_view axisUnitChoice = "単位";
inline constexpr std::string_view unitPulsesPerRev = "パルス/回転";
inline constexpr std::string_view unitGear = "モーター回転/負荷回転";
inline constexpr std::string_view unitTravelMillimetre = "mm/回転";
inline constexpr std::string_view unitTravelDegree = "°/回転";
inline constexpr std::string_view axisUnitLinear = "mm(直動軸)";
inline constexpr std::string_view axisUnitRotary = "°(回転軸)";
inline constexpr std::string_view chooseAxisButton = "切り替え(&W)";
inline constexpr std::string_view addAxisButton = "追加(&N)";
inline constexpr std::string_view renameAxisButton = "名前の変更(&R)";
inline constexpr std::string_view removeAxisButton = "削除(&X)";
inline constexpr std::string_view applyMechanicsButton = "機構を適用(&M)";
inline constexpr std::string_view saveMachineButton = "機械ファイルの保存(&V)...";
inline constexpr std::string_view openMachineButton = "機械ファイルを開く(&O)...";
// {0} the axis's name, {1} pulses per unit, {2} the unit.
inline constexpr std::string_view axisPulsesPerUnit = "軸 {0}:{1}パルス/{2}";
// {0} the axis's name.
inline constexpr std::string_view axisWithoutMechanics = "軸 {0}:機構が未設定のため、すべてPPSで表示します。";
inline constexpr std::string_view mechanicsPending = "入力中の機構は「機構を適用」で反映されます。";
// Why an edit of the axes was not made; {0} the name typed.
inline constexpr std::string_view axisNameEmpty = "軸の名前を入力してください。";
inline constexpr std::string_view axisNameTooLong = "軸の名前「{0}」が長すぎます。";
inline constexpr std::string_view axisNameNotUtf8 = "軸の名前に使えない文字があります。";
inline constexpr std::string_view axisNameControl = "軸の名前に制御文字は使えません。";
inline constexpr std::string_view axisNameTaken = "軸「{0}」はすでにあります。別の名前を入力してください。";
inline constexpr std::string_view lastAxis = "軸が1つだけのときは削除できません。";
// {0} the field's label, {1} the fault.
inline constexpr std::string_view mechanicsBad = "{0}:{1}";
inline constexpr std::string_view mechanicsNotANumber = "数値を入力してください。";
inline constexpr std::string_view mechanicsNotPositive = "0より大きい値を入力してください。";
inline constexpr std::string_view mechanicsOutOfRange = "0.000001以上1000000000以下の値を入力してください。";
inline constexpr std::string_view mechanicsTooLong = "長すぎます。";
inline constexpr std::string_view mechanicsRotary = "回転軸の1回転は360°です。";
// The machine file: the file dialog, and the line after a save.
inline constexpr std::string_view machineSaveTitle = "機械ファイルの保存";
inline constexpr std::string_view machineOpenTitle = "機械ファイルを開く";
inline constexpr std::string_view machineFilter = "Veldronix 機械ファイル (*.veldronix.json)";
inline constexpr std::string_view machineFilePattern = "*.veldronix.json";
inline constexpr std::string_view machineDefaultName = "machine.veldronix.json";
inline constexpr std::string_view machineSaved = "{} に保存しました。";
inline constexpr std::string_view machineOpened = "{} を開きました。";
// The main window's title with the machine file's name: {0} the name, {1} the title.
inline constexpr std::string_view titleWithFile = "{0} - {1}";

// The form 単位で入力: speeds and a distance in the axis's units into the dialog's PPS fields.
inline constexpr std::string_view unitsHeading = "単位で入力";
inline constexpr std::string_view unitsSpeedChoice = "速度の単位";
inline constexpr std::string_view unitsInitialSpeed = "初速度";
inline constexpr std::string_view unitsDriveSpeed = "ドライブ速度";
inline constexpr std::string_view unitsDistance = "移動量";
inline constexpr std::string_view unitsRpm = "rpm";
inline constexpr std::string_view unitsApplyButton = "PPSに換算して決定(&U)";
inline constexpr std::string_view unitsNeedMechanics = "軸の機構(1回転のパルス数、減速比、1回転の移動量)を設定すると、mm/s・rpm・mmで入力できます。";
// {0} the text typed.
inline constexpr std::string_view unitsNotANumber = "▲ 「{0}」は数値ではありません。";
// {0} the field, {1} the PPS text it becomes.
inline constexpr std::string_view unitsBecomes = "{0} → {1}";
inline constexpr std::string_view unitsPulses = "パルス";

// The sets of the sentences made by one function in every language.
// Lines of their own under the heading, and the tooltips of stale fields.
inline constexpr CommandStatusTexts commandStatus{
    .calculate = "決定",
    .recalculate = "再計算",
    .computeDecelPoint = "算出",
    .failure = "{0}:{1}",
    .reasons = {
        .driveSpeedZero = "ドライブ速度が0です(空欄や数値でない文字は0と読まれます)。",
        .accelTimeZero = "ドライブ速度に達する時間が0です(空欄や数値でない文字は0と読まれます)。",
        .initialAboveDrive = "初速度がドライブ速度より大きいです。",
        .decelTimeZero = "非対称の加減速に必要な、初速度に達する時間が0です(空欄や数値でない文字は0と読まれます)。",
        .nothingCalculated = "再計算の前に、決定で設定値を求める必要があります。",
        .nothingCalculatedForDecelPoint = "算出の前に、非対称S字の設定値を決定で求める必要があります。",
        .noMultiplierFits = "どの倍率でも、4,000,000 PPSを超えるドライブ速度は設定できません。",
        .smallerMultiplier = "選択した倍率{0}は、決定で選ばれた倍率{1}より小さいため使えません。",
        .multiplier = "{0}",
        .noMultiplierSelected = "倍率が選択されていません。",
        .notAsymmetricSCurve =
            "マニュアル減速点は非対称S字の設定値から求めますが、表示中の設定値は別のドライブ種類のものです。",
        .pulseCountZero = "出力パルス数が0です(空欄や数値でない文字は0と読まれます)。",
        .pulseCountTooSmall = "出力パルス数が減速に必要なパルス数以下のため、0より大きい減速点がありません。",
    },
    .valuesStale = "決定が失敗したため、表示中の設定値は前回の計算のもので、現在の入力には対応していません。",
    .decelPointStale = "マニュアル減速点の表示は、表示中の設定値から算出したものではありません。",
};
// A status line under a failure whose cause is a field read otherwise than typed:
// {0} the field, {1} its text, {2} the number read.
inline constexpr Format3 failureCausedByReading = "{0}「{1}」を{2}と読んだため、このメッセージになりました。";
// What the fields were read as, under 確認事項 before the register findings.
inline constexpr InputFindingTexts inputFindings{
    .fieldNames = {{"ドライブ種類", "初速度", "ドライブ速度", "ドライブ速度に達する時間", "初速度に達する時間", "倍率",
                    "出力パルス数"}},
    .negative = "{0}「{1}」は{2}と読まれました。0より小さい値です。",
    .notANumber = "{0}「{1}」は数値ではないため、0と読まれました。",
    .trailingText = "{0}「{1}」は{2}と読まれました。数値の後の文字は無視されます。",
    .cut = "{0}は78バイトを超えるため、先頭の「{1}」だけが{2}と読まれました。",
    .noItem = "{0}「{1}」は選択肢のどの項目でもないため、種類なしとして扱われます。",
    .noItemEmpty = "{0}が選択されていないため、種類なしとして扱われます。",
    .wideForms = "{0}「{1}」は全角の数字や記号を半角として{2}と読まれました。",
};
inline constexpr ProfileNoteTexts profileNotes{
    .shortMove = shortMove,
    .noPulses = noPulseCount,
    .unknownDriveType = unknownDriveType,
    .speedsReversed = speedsReversed,
    .noDriveSpeed = noDriveSpeed,
    .negativeSpeed = negativeSpeed,
    .badRampTime = badRampTime,
    .noJerk = noJerk,
    .notFinite = notFinite,
};
inline constexpr RealEndTexts realEnd{
    .realUnknown = realUnknown,
    .realNoMotion = realNoMotion,
    .requestedNoDecelPoint = requestedNoDecelPoint,
    .endsEarly = endsEarly,
    .endsLate = endsLate,
    .endsExactly = endsExactly,
};
inline constexpr FindingReasons findingReasons{
    .zeroInitialSpeed = reasonZeroInitialSpeed,
    .zeroDriveSpeed = reasonZeroDriveSpeed,
    .zeroAccel = reasonZeroAccel,
    .zeroDecel = reasonZeroDecel,
    .zeroK = reasonZeroK,
    .zeroL = reasonZeroL,
    .zeroR = reasonZeroR,
    .negative = reasonNegative,
    .aboveMaximum = reasonAboveMaximum,
    .notFinite = reasonNotFinite,
};

// The comparison of the multipliers and the copy formats of the registers.
inline constexpr ComparisonTexts comparison{
    .heading = "倍率の比較",
    .notCalculated = ":設定値が計算されていません。",
    .columnMark = "",
    .markInUse = "使用中",
    .markRecommended = "推奨",
    .markInUseRecommended = "使用中・推奨",
    .columnMultiplier = "倍率",
    .columnSpeedStep = "速度の刻み",
    .speedStep = "{} PPS",
    .columnInitialSpeed = "初速度(PPS)",
    .columnDriveSpeed = "ドライブ速度(PPS)",
    .columnRampTime = "加減速時間(秒)",
    .columnAccelTime = "加速時間(秒)",
    .columnDecelTime = "減速時間(秒)",
    .columnJerk = "加加速度(PPS/秒²)",
    .columnAccelJerk = "加速の加加速度(PPS/秒²)",
    .columnDecelJerk = "減速の加加速度(PPS/秒²)",
    .columnInUnits = "{}({})",
    .nameInitialSpeed = "初速度",
    .nameDriveSpeed = "ドライブ速度",
    .nameJerk = "加加速度",
    .nameAccelJerk = "加速の加加速度",
    .nameDecelJerk = "減速の加加速度",
    .realWithDeviation = "{} ({} %)",
    .realNoDeviation = "{} (偏差なし)",
    .columnLargestDeviation = "最大偏差",
    .largestDeviation = "{} %",
    .none = "なし",
    .columnFindings = "確認事項",
    .findingsNone = "なし",
    .findingZero = "{}が0",
    .findingNegative = "{}が負",
    .findingAboveMaximum = "{}が最大値{}を超える",
    .findingNotFinite = "{}が無限大または数値でない",
    .findingSeparator = "、",
    .rule = "推奨する倍率:確認事項がなく、偏差がすべて求められる倍率のうち、最大偏差(偏差の絶対値の最大、表示の桁で比較)"
            "が最も小さいもの。等しいときは小さい倍率。該当する倍率がなければ推奨しません。",
    .recommendation = "推奨:倍率 {}",
    .noRecommendation = "推奨する倍率はありません。どの倍率にも確認事項があるか、求められない偏差があります。",
    .recommendationWithheld = "推奨する倍率はありません。{}この入力では、どの倍率の偏差も比べる意味がありません。",
    .inputFindings = inputFindings,
    .chooseHint = "行を選んで「この倍率で再計算」を押す(ダブルクリック、Enterでも同じ)と、倍率にその倍率を選んで再計算します。",
    .chooseButton = "この倍率で再計算(&R)",
};
inline constexpr DesignSearchTexts designSearch{
    .cutLatest = "加減速時間の1 %以内の設定値が多すぎるため、最初に試した{0}通りのうち最も遅く終わるものです。",
    .cutNone = "加減速時間の1 %以内の設定値が多すぎるため、最初に試した{0}通りには目標時間までに終わるものがありません。",
};
inline constexpr RegisterCodeTexts registerCode{
    .labelLines = "整数の設定値(1行に1つ)",
    .labelC = "C言語の#define",
    .labelJson = "JSON",
};

// Opening and saving a machine file.
inline constexpr MachineFileTexts machineFile{
    .message = "マシンファイル {0}{1}: {2}",
    .atLine = " の {0} 行目",
    .inMember = "{0}: {1}",
    .cannotRead = "読み込めません。{0}",
    .tooLarge = "16 MB を超えています。",
    .notJson = "JSON ではありません。",
    .notUtf8 = "UTF-8 ではない文字があります。",
    .tooDeep = "入れ子が 64 段より深くなっています。",
    .duplicateMember = "メンバー \"{0}\" が 2 回あります。",
    .notMachineFile = "Veldronix のマシンファイルではありません。",
    .otherFormat = "\"{0}\" のファイルで、Veldronix のマシンファイルではありません。",
    .newerVersion = "バージョン {0} は、このプログラムが読めるバージョン 1 より新しいです。",
    .missingMember = "ありません。",
    .unknownMember = "マシンファイルにないメンバーです。",
    .wrongType = "{0} でなければなりません。",
    .numberOutOfRange = "数値 {0} は範囲外です。",
    .textTooLong = "入力欄に入る 78 バイトより長いです。",
    .nulCharacter = "NUL 文字があり、入力欄に入りません。",
    .badValue = "{0} は使える値ではありません。",
    .notANumber = "数値ではありません。",
    .notPositive = "0 より大きくなければなりません。",
    .outOfRange = "0.000001 以上 1000000000 以下でなければなりません。",
    .rotaryNot360 = "回転軸の 1 回転は 360° です。",
    .nameEmpty = "軸の名前が空です。",
    .nameNotUtf8 = "軸の名前に UTF-8 ではない文字があります。",
    .nameControlCharacter = "軸の名前に制御文字があります。",
    .duplicateAxis = "軸の名前 \"{0}\" は前の軸ですでに使われています。",
    .noAxes = "軸がひとつもありません。",
    .cannotWrite = "保存できませんでした。{0}",
};

} // namespace veldronix::report::texts::ja
