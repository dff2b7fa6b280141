<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>主页: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>技术支持: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. All rights reserved.</source>
        <translation>版权所有 © 2026 %1。保留所有权利。</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>版本: </translation>
    </message>
</context>
<context>
    <name>CLinkOpener</name>
    <message>
        <source>No web browser could be started to show the help page. You can open it yourself: %1</source>
        <translation>无法启动网页浏览器来显示帮助。您可以自行打开：%1</translation>
    </message>
    <message>
        <source>No web browser could be started to open %1. The help page is at: %2</source>
        <translation>无法启动网页浏览器来打开 %1。帮助页面位于：%2</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Could not initialize the connection to your iPhone!&lt;br&gt;Please try the following:&lt;br&gt;  * unlock the iPhone and keep it unlocked&lt;br&gt;  * when the iPhone asks whether to trust this computer, tap Trust&lt;br&gt;  * disconnect the iPhone and connect it again&lt;br&gt;&lt;br&gt;The phone service usbmuxd must be installed and running (on Debian and Ubuntu: the package &quot;usbmuxd&quot;).</source>
        <translation>无法初始化与 iPhone 的连接！&lt;br&gt;请尝试以下操作：&lt;br&gt;  * 解锁 iPhone 并保持解锁状态&lt;br&gt;  * 当 iPhone 询问是否信任这台电脑时，轻点“信任”&lt;br&gt;  * 断开 iPhone 并重新连接&lt;br&gt;&lt;br&gt;必须安装并运行手机服务 usbmuxd（在 Debian 和 Ubuntu 上：软件包“usbmuxd”）。</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple&apos;s technical restrictions...</source>
        <translation>无法初始化与 iPhone/iPod touch 的连接！&lt;br&gt;如果连接的设备从未在这台电脑上连接过 iTunes，就可能出现此错误。&lt;br&gt;请尝试以下步骤：&lt;br&gt;  * 关闭本程序，并将设备从电脑上断开&lt;br&gt;  * 启动 iTunes&lt;br&gt;  * 连接设备&lt;br&gt;  * 设备出现在 iTunes 中后，退出 iTunes（无需同步或传输任何内容）&lt;br&gt;  * 重新启动本程序。&lt;br&gt;&lt;br&gt;带来不便，敬请谅解，这是由 Apple 的技术限制造成的……</translation>
    </message>
    <message>
        <source>&amp;Manage...</source>
        <translation>管理铃声(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;HomePage</source>
        <translation>主页(&amp;P)</translation>
    </message>
    <message>
        <source>You should install iTunes to transfer ringtone to iPhone.</source>
        <translation>请安装 iTunes 以便将铃声传输到 iPhone。</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>请将 iPhone 连接到这台电脑。</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>iTunes 版本过低，至少需要 7.3。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>就绪。</translation>
    </message>
    <message>
        <source>Volume: %1x</source>
        <translation>音量: %1x</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>所有支持的格式</translation>
    </message>
    <message>
        <source>Supported Video</source>
        <translation>支持的视频</translation>
    </message>
    <message>
        <source>Supported Audio</source>
        <translation>支持的音频</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Invalid input file</source>
        <translation>无效的输入文件</translation>
    </message>
    <message>
        <source>File is loading, please wait...</source>
        <translation>正在载入文件，请稍候...</translation>
    </message>
    <message>
        <source>File loaded.</source>
        <translation>文件已载入。</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>转换失败。</translation>
    </message>
    <message>
        <source>Making the ringtone, please wait...</source>
        <translation>正在生成铃声，请稍候...</translation>
    </message>
    <message>
        <source>The clip is too short: move its end further from its start.</source>
        <translation>片段太短：请将结束位置移离开始位置。</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>无法写入输出文件夹：请选择其他文件夹。</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>输出文件夹所在的磁盘已满。</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>输入文件已不存在。</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>输入文件没有声音。</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>输入文件已损坏或不是媒体文件。</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>片段中没有声音。</translation>
    </message>
    <message>
        <source>Conversion succeed.</source>
        <translation>转换成功。</translation>
    </message>
    <message>
        <source>Transfer failed.</source>
        <translation>传输失败。</translation>
    </message>
    <message>
        <source>Transfer succeed.</source>
        <translation>传输成功。</translation>
    </message>
    <message>
        <source>Select a folder to store output file.</source>
        <translation>请选择保存输出文件的文件夹。</translation>
    </message>
    <message>
        <source>Tonquill</source>
        <translation>Tonquill</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>试听片段</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Input File:</source>
        <translation>输入文件:</translation>
    </message>
    <message>
        <source>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;管理&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;帮助&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;主页&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;关于&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>导出到 iPhone</translation>
    </message>
    <message>
        <source>Export to iTunes</source>
        <translation>用 iTunes 打开</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>开始时间:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>结束时间:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>长度:</translation>
    </message>
    <message>
        <source>Local Output Folder:</source>
        <translation>本地输出文件夹:</translation>
    </message>
    <message>
        <source>Output Name:</source>
        <translation>输出名称:</translation>
    </message>
    <message>
        <source>Fade in:</source>
        <translation>淡入:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>生成</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>iPhone 只列出 40 秒以内的铃声：请缩短片段，否则手机不会提供它。</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>已完成，但铃声超过 40 秒：iPhone 不会列出它。</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to rise from silence</source>
        <translation>铃声从静音渐强所需的秒数</translation>
    </message>
    <message>
        <source>The waveform could not be made.</source>
        <translation>无法生成波形图。</translation>
    </message>
    <message>
        <source>The ringtone could not be named; its sound was kept as an .m4a file.</source>
        <translation>无法为铃声命名；其声音已保留为 .m4a 文件。</translation>
    </message>
    <message>
        <source>The ringtone could not be saved as &quot;%1&quot; (%2).

Its sound was kept in:
%3</source>
        <translation>无法将铃声保存为“%1”(%2)。

其声音已保留在：
%3</translation>
    </message>
    <message>
        <source>Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>已发送到 iPhone，但铃声超过 40 秒：iPhone 不会将其列出。</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent.</source>
        <translation>音量为 0：铃声将没有声音。</translation>
    </message>
    <message>
        <source>The fade-in lasts the whole clip: the ringtone would never reach full volume.</source>
        <translation>淡入持续整个片段：铃声永远达不到最大音量。</translation>
    </message>
    <message>
        <source>No sound device was found: the preview plays silently.</source>
        <translation>未找到声音设备：预览将静音播放。</translation>
    </message>
    <message>
        <source>Your iPhone does not trust this computer.</source>
        <translation>您的 iPhone 不信任这台电脑。</translation>
    </message>
    <message>
        <source>Your iPhone could not be connected.</source>
        <translation>无法连接您的 iPhone。</translation>
    </message>
    <message>
        <source>The phone service usbmuxd is not running.</source>
        <translation>手机服务 usbmuxd 未运行。</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: the phone service usbmuxd does not answer.&lt;br&gt;Install usbmuxd (on Debian and Ubuntu: the package &quot;usbmuxd&quot;) and plug the phone in again.</source>
        <translation>无法访问您的 iPhone：手机服务 usbmuxd 没有响应。&lt;br&gt;请安装 usbmuxd（在 Debian 和 Ubuntu 上：软件包“usbmuxd”），然后重新插入手机。</translation>
    </message>
    <message>
        <source>The phone module is missing: no iPhone can be connected.</source>
        <translation>缺少手机模块：无法连接任何 iPhone。</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (libtonquill_usbphone.so), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill 无法加载其手机模块（libtonquill_usbphone.so），因此无法访问 iPhone。&lt;br&gt;请重新安装 Tonquill。铃声仍会生成在输出文件夹中。</translation>
    </message>
    <message>
        <source>Unlock your iPhone to connect it.</source>
        <translation>请解锁 iPhone 以进行连接。</translation>
    </message>
    <message>
        <source>Your iPhone is locked with a passcode.&lt;br&gt;Unlock it and keep it unlocked: it connects by itself.</source>
        <translation>您的 iPhone 已用密码锁定。&lt;br&gt;请解锁并保持解锁状态：它会自动连接。</translation>
    </message>
    <message>
        <source>Tap Trust on your iPhone to connect it.</source>
        <translation>请在 iPhone 上轻点“信任”以进行连接。</translation>
    </message>
    <message>
        <source>Your iPhone asks whether to trust this computer.&lt;br&gt;Unlock it, tap Trust and enter the passcode: it connects by itself.</source>
        <translation>您的 iPhone 正在询问是否信任这台电脑。&lt;br&gt;请解锁，轻点“信任”并输入密码：它会自动连接。</translation>
    </message>
    <message>
        <source>Your iPhone was told not to trust this computer.&lt;br&gt;Disconnect the iPhone and connect it again, then tap Trust when it asks.</source>
        <translation>您的 iPhone 已被设置为不信任这台电脑。&lt;br&gt;请断开 iPhone 并重新连接，在它询问时轻点“信任”。</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;With the iPhone connected and unlocked, run &quot;idevicepair unpair&quot; and then &quot;idevicepair pair&quot; (package &quot;libimobiledevice-utils&quot;) and tap Trust on the iPhone: it then connects by itself.</source>
        <translation>您的 iPhone 不再接受与这台电脑的配对。&lt;br&gt;在 iPhone 已连接并解锁的情况下，运行“idevicepair unpair”，然后运行“idevicepair pair”（软件包“libimobiledevice-utils”），并在 iPhone 上轻点“信任”：之后它会自动连接。</translation>
    </message>
    <message>
        <source>Your iPhone&apos;s file service could not be started.</source>
        <translation>无法启动您 iPhone 的文件服务。</translation>
    </message>
    <message>
        <source>Your iPhone trusts this computer but did not start its file service.&lt;br&gt;Disconnect the iPhone and connect it again; if that does not help, restart the iPhone.</source>
        <translation>您的 iPhone 信任这台电脑，但没有启动其文件服务。&lt;br&gt;请断开 iPhone 并重新连接；如果仍无效，请重新启动 iPhone。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone is full.</source>
        <translation>传输失败：iPhone 空间已满。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone did not allow the ringtone to be written.</source>
        <translation>传输失败：iPhone 不允许写入铃声。</translation>
    </message>
    <message>
        <source>Transfer failed: another program is syncing with the iPhone; try again later.</source>
        <translation>传输失败：另一个程序正在与 iPhone 同步，请稍后重试。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone was disconnected during the transfer.</source>
        <translation>传输失败：传输过程中 iPhone 已断开连接。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone&apos;s ringtone list cannot be read; the phone is unchanged.</source>
        <translation>传输失败：无法读取 iPhone 的铃声列表；手机未做任何更改。</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>循环</translation>
    </message>
    <message>
        <source>Play Clip plays the clip over and over, as the phone rings it</source>
        <translation>试听片段时反复播放，就像手机响铃时那样</translation>
    </message>
    <message>
        <source>Ctrl+wheel zooms, the wheel or a drag on empty space scrolls, a double-click shows the whole file.
Click a handle or the clip, then Left/Right move it by 10 ms (Shift: 100 ms, Ctrl: 1 s), Home/End to the file&apos;s ends.</source>
        <translation>Ctrl+滚轮缩放，滚轮或在空白处拖动可滚动，双击显示整个文件。
单击一个手柄或片段后，左/右键每次移动 10 毫秒（Shift：100 毫秒，Ctrl：1 秒），Home/End 移到文件两端。</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to fall to silence at its end</source>
        <translation>铃声结尾渐弱至静音所需的秒数</translation>
    </message>
    <message>
        <source>Fade out:</source>
        <translation>淡出:</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent. Make it anyway?</source>
        <translation>音量为 0：铃声将没有声音。仍要生成吗？</translation>
    </message>
    <message>
        <source>A ringtone is being made. Close Tonquill and stop making it?</source>
        <translation>正在生成铃声。要关闭 Tonquill 并停止生成吗？</translation>
    </message>
    <message>
        <source>Apple Mobile Device Service is not running.</source>
        <translation>Apple Mobile Device Service 未运行。</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: Apple Mobile Device Service does not answer.&lt;br&gt;Install iTunes (or Apple&apos;s device support alone, &quot;Apple Mobile Device Support&quot;), make sure the service &quot;Apple Mobile Device Service&quot; is running, and plug the phone in again.</source>
        <translation>无法访问您的 iPhone：Apple Mobile Device Service 没有响应。&lt;br&gt;请安装 iTunes（或仅安装 Apple 的设备支持“Apple Mobile Device Support”），确认服务“Apple Mobile Device Service”正在运行，然后重新插入手机。</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (tonquill_usbphone.dll), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill 无法加载其手机模块（tonquill_usbphone.dll），因此无法访问 iPhone。&lt;br&gt;请重新安装 Tonquill。铃声仍会生成在输出文件夹中。</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;Connect the iPhone to iTunes once, unlock it and tap Trust when it asks; then close iTunes: the iPhone connects by itself.</source>
        <translation>您的 iPhone 不再接受与这台电脑的配对。&lt;br&gt;请将 iPhone 连接到 iTunes 一次，解锁后在询问时轻点“信任”；然后关闭 iTunes：iPhone 会自动连接。</translation>
    </message>
</context>
<context>
    <name>ManageDialog</name>
    <message>
        <source>Ringtone Formats(*.m4a;*.m4r)</source>
        <translation>铃声格式(*.m4a;*.m4r)</translation>
    </message>
    <message>
        <source>No iPhone connected.</source>
        <translation>未连接 iPhone。</translation>
    </message>
    <message>
        <source>No ringtones on this iPhone yet.</source>
        <translation>此 iPhone 上还没有铃声。</translation>
    </message>
    <message>
        <source>The ringtone list on this iPhone cannot be read.</source>
        <translation>无法读取此 iPhone 上的铃声列表。</translation>
    </message>
    <message>
        <source>The iPhone was disconnected.</source>
        <translation>iPhone 已断开连接。</translation>
    </message>
    <message>
        <source>“%1” is no longer on the iPhone.</source>
        <translation>“%1”已不在 iPhone 上。</translation>
    </message>
    <message>
        <source>The iPhone is full.</source>
        <translation>iPhone 空间已满。</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>磁盘空间已满。</translation>
    </message>
    <message>
        <source>The iPhone or this computer denied access to the file.</source>
        <translation>iPhone 或本电脑拒绝访问该文件。</translation>
    </message>
    <message>
        <source>You have no permission to write to that folder.</source>
        <translation>您没有写入该文件夹的权限。</translation>
    </message>
    <message>
        <source>Another program is syncing with the iPhone. Try again when it has finished.</source>
        <translation>另一个程序正在与 iPhone 同步。请在其完成后重试。</translation>
    </message>
    <message>
        <source>The ringtone is no longer on the iPhone.</source>
        <translation>该铃声已不在 iPhone 上。</translation>
    </message>
    <message>
        <source>The list was out of date; it now shows what the iPhone holds.</source>
        <translation>列表已过时；现在显示的是 iPhone 上的内容。</translation>
    </message>
    <message>
        <source>The name cannot be any longer.</source>
        <translation>名称不能再长了。</translation>
    </message>
    <message>
        <source>The file cannot be used as a ringtone.</source>
        <translation>该文件不能用作铃声。</translation>
    </message>
    <message>
        <source>That file name cannot be used.</source>
        <translation>不能使用该文件名。</translation>
    </message>
    <message>
        <source>The iPhone could not be read or written.</source>
        <translation>无法读写 iPhone。</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>无法写入文件。</translation>
    </message>
    <message>
        <source>A ringtone needs a name.</source>
        <translation>铃声必须有名称。</translation>
    </message>
    <message>
        <source>Could not rename “%1”.</source>
        <translation>无法重命名“%1”。</translation>
    </message>
    <message>
        <source>Could not remove “%1”.</source>
        <translation>无法删除“%1”。</translation>
    </message>
    <message>
        <source>“%1” is not a playable audio file.</source>
        <translation>“%1”不是可播放的音频文件。</translation>
    </message>
    <message>
        <source>Could not replace the sound of “%1”.</source>
        <translation>无法替换“%1”的声音。</translation>
    </message>
    <message>
        <source>Replaced the sound of “%1”.</source>
        <translation>已替换“%1”的声音。</translation>
    </message>
    <message>
        <source>Could not save “%1” to %2.</source>
        <translation>无法将“%1”保存到 %2。</translation>
    </message>
    <message>
        <source>Saved “%1” as %2.</source>
        <translation>已将“%1”保存为 %2。</translation>
    </message>
    <message>
        <source>Could not add “%1”.</source>
        <translation>无法添加“%1”。</translation>
    </message>
    <message>
        <source>The new ringtones could not be stored on the iPhone.</source>
        <translation>无法将新铃声存储到 iPhone 上。</translation>
    </message>
    <message>
        <source>Ringtones added: %1.</source>
        <translation>已添加铃声：%1。</translation>
    </message>
    <message>
        <source>Converting “%1”: %2 %</source>
        <translation>正在转换“%1”：%2 %</translation>
    </message>
    <message>
        <source>Preparing, please wait...</source>
        <translation>正在准备，请稍候...</translation>
    </message>
    <message>
        <source>“%1” could not be made into a ringtone (%2).</source>
        <translation>无法将“%1”制作成铃声（%2）。</translation>
    </message>
    <message>
        <source>“%1” is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>“%1”超过 40 秒：iPhone 不会列出它。</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QxLanguage</name>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tonquill is already running but does not answer yet; it may be busy. This message closes by itself once it answers. Press OK to stop waiting.</source>
        <translation>Tonquill 已在运行，但尚未响应，可能正忙。它一响应，此消息就会自动关闭。按 OK 停止等待。</translation>
    </message>
</context>
<context>
    <name>manageDlg</name>
    <message>
        <source>Manage</source>
        <translation>管理</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>名称:</translation>
    </message>
    <message>
        <source>Manage ringtones on your iPhone.</source>
        <translation>管理 iPhone 上的铃声。</translation>
    </message>
    <message>
        <source>Save To PC</source>
        <translation>保存到电脑</translation>
    </message>
    <message>
        <source>Add To iPhone</source>
        <translation>添加到 iPhone</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
</context>
</TS>
