#pragma once

// The question and answer texts that both the factor listing and the
// decision flow write, so the two can never drift apart.
namespace judge_text {

inline constexpr char kYes[] = "YES";
inline constexpr char kNo[] = "NO";
inline constexpr char kOverlayQuestion[] = "出力先VGAは現在オーバーレイ使用可能？";
inline constexpr char kCoppQuestion[] = "出力先VGAとドライバはCOPP対応？";
inline constexpr char kInternalQuestion[] = "コネクタータイプがInternal？";
inline constexpr char kPciExpressQuestion[] = "バスタイプがPCI-Express？";
inline constexpr char kDigitalQuestion[] = "出力先VGAとモニタはデジタルIF？";
inline constexpr char kHdcpQuestion[] = "出力先VGAとモニタはHDCP対応？";
inline constexpr char kVgaQuestion[] = "出力先VGAとモニタはVGA端子出力？";
inline constexpr char kCgmsaQuestion[] = "出力先VGAはCGMSA対応？";

}  // namespace judge_text
