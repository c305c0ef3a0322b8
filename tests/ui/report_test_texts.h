#pragma once

// The report's string-table entries as the user must see them, written out
// here on their own so that a slip in the resource script shows.

// clang-format off
#define REPORT_INDENT "                         "

inline constexpr char kText141[] = "ソラリオ for UT-750 Ver . %s";

inline constexpr char kText203[] =
    "        推奨CPU、メモリ、グラフィックカード、ディスプレイなどの最新情報は、弊社\r\n"
    "        ホームページ（http://www.lumora.co.jp/）よりご確認ください。\r\n";

inline constexpr char kText206[] =
    REPORT_INDENT "チップセット内蔵グラフィックとディスプレイはアナログ接続されているため、\r\n"
    REPORT_INDENT "解像度制限（５２万画素ダウンスケーリング）にて表示します。\r\n"
    REPORT_INDENT "ハイビジョンでご視聴いただくには、デジタル接続する必要があります。\r\n"
    REPORT_INDENT "ご利用のチップセット内蔵グラフィックがデジタル接続可能な場合は、デジタル接続後\r\n"
    REPORT_INDENT "再度ご確認ください。\r\n"
    "\r\n";

inline constexpr char kText212[] =
    REPORT_INDENT "オーバーレイ表示が使用出来ません。\r\n"
    REPORT_INDENT "他の動画アプリケーションで既にオーバーレイ表示が利用される可能性があります。\r\n"
    REPORT_INDENT "他の動画アプリケーションを停止してください。\r\n";

inline constexpr char kText213[] =
    REPORT_INDENT "グラフィックドライバがCOPPに対応していません。\r\n"
    REPORT_INDENT "グラフィックドライバが正しく認識されていないか、クローンまたはミラーモードに設定されている\r\n"
    REPORT_INDENT "可能性があります。\r\n";

inline constexpr char kText215[] =
    REPORT_INDENT "グラフィック環境もしくはディスプレイがHDCPに対応していません。\r\n"
    REPORT_INDENT "ご利用のグラフィック環境及びディスプレイがHDCPに対応しているかご確認ください。\r\n";

inline constexpr char kText217[] =
    REPORT_INDENT "ディスプレイがS端子、コンポジット端子、コンポーネント端子、D端子等と接続されて\r\n"
    REPORT_INDENT "いますが、ご利用のグラフィック環境がCGMSに対応していません。\r\n"
    REPORT_INDENT "ご利用のグラフィック環境がCGMSに対応しているかご確認ください。\r\n";

// clang-format on
#undef REPORT_INDENT
