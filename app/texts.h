#pragma once
// The application's fixed texts, in GBK like every text it shows or builds.
#include "runtime/gbk.h"

namespace app::texts {

using runtime::Gbk;
using runtime::Text;

inline const Text kVersion = Gbk("[2015.11.02]");
inline const Text kTitleBase = Gbk("晨岚DJ音乐网(brivo)");

inline const Text kNewVersionPrefix = Gbk("发现新版本");
inline const Text kNewVersionSuffix = Gbk("，是否更新？");

inline const Text kSectionEnd = Gbk("}</script>");
inline const Text kSectionStartSuffix = Gbk("');}");
inline const Text kTrackNameStart = Gbk(";var n =\"");
inline const Text kTrackNameEnd = Gbk("\";var");
inline const Text kPathVariableStart = Gbk("fwqhp, ");
inline const Text kPathVariableEnd = Gbk(");");
inline const Text kPathExpressionEnd = Gbk(";fmpObj = ");
inline const Text kPathPrefix = Gbk("x4+k1v+");
inline const Text kAssignmentPattern = Gbk("(.*?)='(.*?)';");
inline const Text kJoiner = Gbk("+");
inline const Text kEnterAddress = Gbk("请输入播放地址 ");

inline const Text kRtmpSwitch = Gbk(" -r rtmp://");
inline const Text kApplication = Gbk("/rozezeri/");
inline const Text kPageSwitch = Gbk(" -p ");
inline const Text kPlayPathSwitch = Gbk(" -y mp4:");
inline const Text kPlayerSwitch = Gbk(".mp4 -s http://");
// The tool writes the stream to its standard output, which is the partial file
// that the job made and handed to it.
inline const Text kOutputSwitch = Gbk("/js/mp.swf/ -o -");

inline const Text kSuccessTitle = Gbk("下载完成");
inline const Text kFailureTitle = Gbk("下载失败");
inline const Text kErrorTitle = Gbk("错误");
inline const Text kParseFailed = Gbk("由于网络原因或网站更新导致本次解析失败! ");

// Why a download failed: a line under the track's name in the "下载失败" box.
inline const Text kToolNotStartedReason = Gbk("无法启动下载工具 ");  // + the tool's path +
// What to do about it: on Linux rtmpdump is installed; on Windows the program
// writes the tool it holds into its own folder, where a failed write leaves none.
inline const Text kToolNotStartedInstallAdvice =
    Gbk("：请安装 rtmpdump（Debian/Ubuntu：sudo apt install rtmpdump），或用 BRIVO_RTMPDUMP 指定它的路径");
inline const Text kToolNotStartedFolderAdvice =
    Gbk("：程序会把下载工具写进自己所在的文件夹，请把程序放到可以写入的文件夹再试，或用 BRIVO_RTMPDUMP 指定 "
        "rtmpdump.exe 的路径");
inline const Text kNoFolderReason = Gbk("无法创建下载文件夹 ");
inline const Text kCannotWriteReason = Gbk("无法在下载文件夹中写入文件 ");
inline const Text kIncompleteReason = Gbk("数据流提前结束，下载不完整");
inline const Text kToolErrorReason = Gbk("下载工具出错：");
inline const Text kNothingReceivedReason = Gbk("下载工具没有收到任何数据");
inline const Text kNotKeptReason = Gbk("无法保存文件 ");
inline const Text kUnreadableStreamReason = Gbk("下载的数据流无法读取（不是完好的 FLV）");

}  // namespace app::texts
