#pragma once

namespace etb {

// Every pause and time limit of the tool, in milliseconds as the site's pace requires them.
// They are always used through scaled(), which applies ETEBLIGAT_TIME_SCALE.
namespace Pause {
inline constexpr int WaitLimit = 60000;            // every flag wait and element wait
inline constexpr int BeforeShowCaptcha = 1000;     // start-up, before the captcha is loaded
inline constexpr int ChromClick = 3000;            // before every click in the acting view
inline constexpr int AfterTagRuleClick = 7000;     // after each envelope clicked by the tag rule
inline constexpr int ScriptError = 1000;           // after a script error of the reading view
inline constexpr int CaptchaFrameRead = 2000;      // before reading the captcha frames
inline constexpr int CaptchaShown = 2000;          // after the captcha picture is shown
inline constexpr int AfterLoginSent = 2000;        // after the login statements are sent
inline constexpr int MenuBeforeClick = 2000;       // e-notification menu: after the item is present
inline constexpr int NotificationPage = 2000;      // after the notification page is reached
inline constexpr int BeforeEnvelopes = 2000;       // before the envelope phase
inline constexpr int PopupAnswer = 200;            // after each envelope click and pop-up answer
inline constexpr int DownloadEvent = 1000;         // after a document button is clicked
inline constexpr int PortalStep = 3000;            // each step of the portal start
inline constexpr int ScriptAnswer = 10000;         // an awaited answer of a page script
inline constexpr int DownloadEventLimit = 10000;   // a document button's download event
inline constexpr int HttpConnect = 15000;          // our own HTTP requests: connect
inline constexpr int HttpStall = 30000;            // our own HTTP requests: no byte for this long
inline constexpr int CaptchaTotal = 30000;         // the captcha picture request in all
inline constexpr int DbLogin = 15000;              // SQL Server login time-out
} // namespace Pause

// A pause or limit of the table above, multiplied by the time scale (at least 0).
int scaled(int ms);

} // namespace etb
