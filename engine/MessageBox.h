#pragma once

// Message box flags and answers, with the values of the classic Windows message box so that
// a box is described the same way everywhere: text, caption and these flags.
namespace zol::mb {

constexpr unsigned Ok = 0x00;
constexpr unsigned OkCancel = 0x01;
constexpr unsigned YesNo = 0x04;
constexpr unsigned IconError = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned ButtonMask = 0x0F;
constexpr unsigned IconMask = 0xF0;

constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;

} // namespace zol::mb
