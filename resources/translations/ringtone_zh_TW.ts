<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>首頁: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>技術支援: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. All rights reserved.</source>
        <translation>版權所有 © 2026 %1。保留一切權利。</translation>
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
        <translation>無法啟動網頁瀏覽器來顯示說明。您可以自行開啟：%1</translation>
    </message>
    <message>
        <source>No web browser could be started to open %1. The help page is at: %2</source>
        <translation>無法啟動網頁瀏覽器來開啟 %1。說明頁面位於：%2</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Could not initialize the connection to your iPhone!&lt;br&gt;Please try the following:&lt;br&gt;  * unlock the iPhone and keep it unlocked&lt;br&gt;  * when the iPhone asks whether to trust this computer, tap Trust&lt;br&gt;  * disconnect the iPhone and connect it again&lt;br&gt;&lt;br&gt;The phone service usbmuxd must be installed and running (on Debian and Ubuntu: the package &quot;usbmuxd&quot;).</source>
        <translation>無法初始化與 iPhone 的連線！&lt;br&gt;請嘗試以下步驟：&lt;br&gt;  * 解鎖 iPhone 並保持解鎖&lt;br&gt;  * 當 iPhone 詢問是否信任這部電腦時，點一下「信任」&lt;br&gt;  * 拔下 iPhone 後再重新連接&lt;br&gt;&lt;br&gt;必須安裝並執行手機服務 usbmuxd（在 Debian 和 Ubuntu 上：套件「usbmuxd」）。</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple&apos;s technical restrictions...</source>
        <translation>無法初始化與 iPhone/iPod touch 的連線！&lt;br&gt;如果連接的裝置從未在這台電腦上連接過 iTunes，就可能出現這個錯誤。&lt;br&gt;請嘗試以下步驟：&lt;br&gt;  * 關閉本程式，並將裝置從電腦上拔除&lt;br&gt;  * 啟動 iTunes&lt;br&gt;  * 連接裝置&lt;br&gt;  * 裝置出現在 iTunes 中後，結束 iTunes（不需要同步或傳輸任何內容）&lt;br&gt;  * 重新啟動本程式。&lt;br&gt;&lt;br&gt;造成不便，敬請見諒，這是 Apple 的技術限制所致……</translation>
    </message>
    <message>
        <source>&amp;Manage...</source>
        <translation>管理鈴聲(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>關於(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>說明(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;HomePage</source>
        <translation>首頁(&amp;P)</translation>
    </message>
    <message>
        <source>You should install iTunes to transfer ringtone to iPhone.</source>
        <translation>請安裝 iTunes 以便將鈴聲傳輸到 iPhone。</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>請將 iPhone 連接到這台電腦。</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>iTunes 版本過舊，至少需要 7.3。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>就緒。</translation>
    </message>
    <message>
        <source>Volume: %1x</source>
        <translation>音量: %1x</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>所有檔案</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>所有支援的格式</translation>
    </message>
    <message>
        <source>Supported Video</source>
        <translation>支援的視訊</translation>
    </message>
    <message>
        <source>Supported Audio</source>
        <translation>支援的音訊</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Invalid input file</source>
        <translation>無效的輸入檔案</translation>
    </message>
    <message>
        <source>File is loading, please wait...</source>
        <translation>正在載入檔案，請稍候...</translation>
    </message>
    <message>
        <source>File loaded.</source>
        <translation>檔案已載入。</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>轉換失敗。</translation>
    </message>
    <message>
        <source>Making the ringtone, please wait...</source>
        <translation>正在產生鈴聲，請稍候...</translation>
    </message>
    <message>
        <source>The clip is too short: move its end further from its start.</source>
        <translation>片段太短：請將結束位置移離開始位置。</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>無法寫入輸出資料夾：請選擇其他資料夾。</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>輸出資料夾所在的磁碟已滿。</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>輸入檔案已不存在。</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>輸入檔案沒有聲音。</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>輸入檔案已損毀或不是媒體檔案。</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>片段中沒有聲音。</translation>
    </message>
    <message>
        <source>Conversion succeed.</source>
        <translation>轉換成功。</translation>
    </message>
    <message>
        <source>Transfer failed.</source>
        <translation>傳輸失敗。</translation>
    </message>
    <message>
        <source>Transfer succeed.</source>
        <translation>傳輸成功。</translation>
    </message>
    <message>
        <source>Select a folder to store output file.</source>
        <translation>請選擇儲存輸出檔案的資料夾。</translation>
    </message>
    <message>
        <source>Tonquill</source>
        <translation>Tonquill</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>選單</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>試聽片段</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>瀏覽...</translation>
    </message>
    <message>
        <source>Input File:</source>
        <translation>輸入檔案:</translation>
    </message>
    <message>
        <source>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;管理&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;說明&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;首頁&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;關於&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>匯出到 iPhone</translation>
    </message>
    <message>
        <source>Export to iTunes</source>
        <translation>用 iTunes 開啟</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>開始時間:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>結束時間:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>長度:</translation>
    </message>
    <message>
        <source>Local Output Folder:</source>
        <translation>本機輸出資料夾:</translation>
    </message>
    <message>
        <source>Output Name:</source>
        <translation>輸出名稱:</translation>
    </message>
    <message>
        <source>Fade in:</source>
        <translation>淡入:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>產生</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>iPhone 只列出 40 秒以內的鈴聲：請縮短片段，否則手機不會提供它。</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>已完成，但鈴聲超過 40 秒：iPhone 不會列出它。</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to rise from silence</source>
        <translation>鈴聲從靜音漸強所需的秒數</translation>
    </message>
    <message>
        <source>The waveform could not be made.</source>
        <translation>無法產生波形圖。</translation>
    </message>
    <message>
        <source>The ringtone could not be named; its sound was kept as an .m4a file.</source>
        <translation>無法為鈴聲命名；其聲音已保留為 .m4a 檔案。</translation>
    </message>
    <message>
        <source>The ringtone could not be saved as &quot;%1&quot; (%2).

Its sound was kept in:
%3</source>
        <translation>無法將鈴聲儲存為「%1」(%2)。

其聲音已保留在：
%3</translation>
    </message>
    <message>
        <source>Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>已傳送到 iPhone，但鈴聲超過 40 秒：iPhone 不會將其列出。</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent.</source>
        <translation>音量為 0：鈴聲將沒有聲音。</translation>
    </message>
    <message>
        <source>The fade-in lasts the whole clip: the ringtone would never reach full volume.</source>
        <translation>淡入持續整個片段：鈴聲永遠達不到最大音量。</translation>
    </message>
    <message>
        <source>No sound device was found: the preview plays silently.</source>
        <translation>找不到音效裝置：預覽將以靜音播放。</translation>
    </message>
    <message>
        <source>Your iPhone does not trust this computer.</source>
        <translation>您的 iPhone 不信任這部電腦。</translation>
    </message>
    <message>
        <source>Your iPhone could not be connected.</source>
        <translation>無法連接您的 iPhone。</translation>
    </message>
    <message>
        <source>The phone service usbmuxd is not running.</source>
        <translation>手機服務 usbmuxd 未在執行。</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: the phone service usbmuxd does not answer.&lt;br&gt;Install usbmuxd (on Debian and Ubuntu: the package &quot;usbmuxd&quot;) and plug the phone in again.</source>
        <translation>無法存取您的 iPhone：手機服務 usbmuxd 沒有回應。&lt;br&gt;請安裝 usbmuxd（在 Debian 和 Ubuntu 上：套件「usbmuxd」），然後重新插上手機。</translation>
    </message>
    <message>
        <source>The phone module is missing: no iPhone can be connected.</source>
        <translation>缺少手機模組：無法連接任何 iPhone。</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (libtonquill_usbphone.so), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill 無法載入其手機模組（libtonquill_usbphone.so），因此無法存取 iPhone。&lt;br&gt;請重新安裝 Tonquill。鈴聲仍會在輸出資料夾中產生。</translation>
    </message>
    <message>
        <source>Unlock your iPhone to connect it.</source>
        <translation>請解鎖 iPhone 以進行連接。</translation>
    </message>
    <message>
        <source>Your iPhone is locked with a passcode.&lt;br&gt;Unlock it and keep it unlocked: it connects by itself.</source>
        <translation>您的 iPhone 已用密碼鎖定。&lt;br&gt;請解鎖並保持解鎖：它會自動連接。</translation>
    </message>
    <message>
        <source>Tap Trust on your iPhone to connect it.</source>
        <translation>請在 iPhone 上點一下「信任」以進行連接。</translation>
    </message>
    <message>
        <source>Your iPhone asks whether to trust this computer.&lt;br&gt;Unlock it, tap Trust and enter the passcode: it connects by itself.</source>
        <translation>您的 iPhone 正在詢問是否信任這部電腦。&lt;br&gt;請解鎖，點一下「信任」並輸入密碼：它會自動連接。</translation>
    </message>
    <message>
        <source>Your iPhone was told not to trust this computer.&lt;br&gt;Disconnect the iPhone and connect it again, then tap Trust when it asks.</source>
        <translation>您的 iPhone 已被設定為不信任這部電腦。&lt;br&gt;請拔下 iPhone 後重新連接，並在它詢問時點一下「信任」。</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;With the iPhone connected and unlocked, run &quot;idevicepair unpair&quot; and then &quot;idevicepair pair&quot; (package &quot;libimobiledevice-utils&quot;) and tap Trust on the iPhone: it then connects by itself.</source>
        <translation>您的 iPhone 不再接受與這部電腦的配對。&lt;br&gt;在 iPhone 已連接並解鎖的狀態下，執行「idevicepair unpair」，再執行「idevicepair pair」（套件「libimobiledevice-utils」），並在 iPhone 上點一下「信任」：之後它會自動連接。</translation>
    </message>
    <message>
        <source>Your iPhone&apos;s file service could not be started.</source>
        <translation>無法啟動您 iPhone 的檔案服務。</translation>
    </message>
    <message>
        <source>Your iPhone trusts this computer but did not start its file service.&lt;br&gt;Disconnect the iPhone and connect it again; if that does not help, restart the iPhone.</source>
        <translation>您的 iPhone 信任這部電腦，但沒有啟動其檔案服務。&lt;br&gt;請拔下 iPhone 後重新連接；如果仍然無效，請重新啟動 iPhone。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone is full.</source>
        <translation>傳輸失敗：iPhone 空間已滿。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone did not allow the ringtone to be written.</source>
        <translation>傳輸失敗：iPhone 不允許寫入鈴聲。</translation>
    </message>
    <message>
        <source>Transfer failed: another program is syncing with the iPhone; try again later.</source>
        <translation>傳輸失敗：另一個程式正在與 iPhone 同步，請稍後再試。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone was disconnected during the transfer.</source>
        <translation>傳輸失敗：傳輸期間 iPhone 已中斷連線。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone&apos;s ringtone list cannot be read; the phone is unchanged.</source>
        <translation>傳輸失敗：無法讀取 iPhone 的鈴聲清單；手機未做任何變更。</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>循環</translation>
    </message>
    <message>
        <source>Play Clip plays the clip over and over, as the phone rings it</source>
        <translation>試聽片段時反覆播放，就像手機響鈴時那樣</translation>
    </message>
    <message>
        <source>Ctrl+wheel zooms, the wheel or a drag on empty space scrolls, a double-click shows the whole file.
Click a handle or the clip, then Left/Right move it by 10 ms (Shift: 100 ms, Ctrl: 1 s), Home/End to the file&apos;s ends.</source>
        <translation>Ctrl+滾輪縮放，滾輪或在空白處拖曳可捲動，按兩下顯示整個檔案。
按一下控點或片段後，左/右鍵每次移動 10 毫秒（Shift：100 毫秒，Ctrl：1 秒），Home/End 移到檔案兩端。</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to fall to silence at its end</source>
        <translation>鈴聲結尾漸弱至靜音所需的秒數</translation>
    </message>
    <message>
        <source>Fade out:</source>
        <translation>淡出:</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent. Make it anyway?</source>
        <translation>音量為 0：鈴聲將沒有聲音。仍要產生嗎？</translation>
    </message>
    <message>
        <source>A ringtone is being made. Close Tonquill and stop making it?</source>
        <translation>正在產生鈴聲。要關閉 Tonquill 並停止產生嗎？</translation>
    </message>
    <message>
        <source>Apple Mobile Device Service is not running.</source>
        <translation>Apple Mobile Device Service 未在執行。</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: Apple Mobile Device Service does not answer.&lt;br&gt;Install iTunes (or Apple&apos;s device support alone, &quot;Apple Mobile Device Support&quot;), make sure the service &quot;Apple Mobile Device Service&quot; is running, and plug the phone in again.</source>
        <translation>無法存取您的 iPhone：Apple Mobile Device Service 沒有回應。&lt;br&gt;請安裝 iTunes（或僅安裝 Apple 的裝置支援「Apple Mobile Device Support」），確認服務「Apple Mobile Device Service」正在執行，然後重新插上手機。</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (tonquill_usbphone.dll), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill 無法載入其手機模組（tonquill_usbphone.dll），因此無法存取 iPhone。&lt;br&gt;請重新安裝 Tonquill。鈴聲仍會在輸出資料夾中產生。</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;Connect the iPhone to iTunes once, unlock it and tap Trust when it asks; then close iTunes: the iPhone connects by itself.</source>
        <translation>您的 iPhone 不再接受與這部電腦的配對。&lt;br&gt;請將 iPhone 連接到 iTunes 一次，解鎖後在詢問時點一下「信任」；然後關閉 iTunes：iPhone 會自動連接。</translation>
    </message>
</context>
<context>
    <name>ManageDialog</name>
    <message>
        <source>Ringtone Formats(*.m4a;*.m4r)</source>
        <translation>鈴聲格式(*.m4a;*.m4r)</translation>
    </message>
    <message>
        <source>No iPhone connected.</source>
        <translation>未連接 iPhone。</translation>
    </message>
    <message>
        <source>No ringtones on this iPhone yet.</source>
        <translation>此 iPhone 上還沒有鈴聲。</translation>
    </message>
    <message>
        <source>The ringtone list on this iPhone cannot be read.</source>
        <translation>無法讀取此 iPhone 上的鈴聲清單。</translation>
    </message>
    <message>
        <source>The iPhone was disconnected.</source>
        <translation>iPhone 已中斷連線。</translation>
    </message>
    <message>
        <source>“%1” is no longer on the iPhone.</source>
        <translation>「%1」已不在 iPhone 上。</translation>
    </message>
    <message>
        <source>The iPhone is full.</source>
        <translation>iPhone 空間已滿。</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>磁碟空間已滿。</translation>
    </message>
    <message>
        <source>The iPhone or this computer denied access to the file.</source>
        <translation>iPhone 或這台電腦拒絕存取該檔案。</translation>
    </message>
    <message>
        <source>You have no permission to write to that folder.</source>
        <translation>您沒有寫入該資料夾的權限。</translation>
    </message>
    <message>
        <source>Another program is syncing with the iPhone. Try again when it has finished.</source>
        <translation>另一個程式正在與 iPhone 同步。請在其完成後再試一次。</translation>
    </message>
    <message>
        <source>The ringtone is no longer on the iPhone.</source>
        <translation>該鈴聲已不在 iPhone 上。</translation>
    </message>
    <message>
        <source>The list was out of date; it now shows what the iPhone holds.</source>
        <translation>清單已過時；現在顯示的是 iPhone 上的內容。</translation>
    </message>
    <message>
        <source>The name cannot be any longer.</source>
        <translation>名稱不能再長了。</translation>
    </message>
    <message>
        <source>The file cannot be used as a ringtone.</source>
        <translation>該檔案不能用作鈴聲。</translation>
    </message>
    <message>
        <source>That file name cannot be used.</source>
        <translation>不能使用該檔案名稱。</translation>
    </message>
    <message>
        <source>The iPhone could not be read or written.</source>
        <translation>無法讀寫 iPhone。</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>無法寫入檔案。</translation>
    </message>
    <message>
        <source>A ringtone needs a name.</source>
        <translation>鈴聲必須有名稱。</translation>
    </message>
    <message>
        <source>Could not rename “%1”.</source>
        <translation>無法重新命名「%1」。</translation>
    </message>
    <message>
        <source>Could not remove “%1”.</source>
        <translation>無法移除「%1」。</translation>
    </message>
    <message>
        <source>“%1” is not a playable audio file.</source>
        <translation>「%1」不是可播放的音訊檔案。</translation>
    </message>
    <message>
        <source>Could not replace the sound of “%1”.</source>
        <translation>無法取代「%1」的聲音。</translation>
    </message>
    <message>
        <source>Replaced the sound of “%1”.</source>
        <translation>已取代「%1」的聲音。</translation>
    </message>
    <message>
        <source>Could not save “%1” to %2.</source>
        <translation>無法將「%1」儲存到 %2。</translation>
    </message>
    <message>
        <source>Saved “%1” as %2.</source>
        <translation>已將「%1」儲存為 %2。</translation>
    </message>
    <message>
        <source>Could not add “%1”.</source>
        <translation>無法加入「%1」。</translation>
    </message>
    <message>
        <source>The new ringtones could not be stored on the iPhone.</source>
        <translation>無法將新鈴聲儲存到 iPhone 上。</translation>
    </message>
    <message>
        <source>Ringtones added: %1.</source>
        <translation>已加入鈴聲：%1。</translation>
    </message>
    <message>
        <source>Converting “%1”: %2 %</source>
        <translation>正在轉換「%1」：%2 %</translation>
    </message>
    <message>
        <source>Preparing, please wait...</source>
        <translation>正在準備，請稍候...</translation>
    </message>
    <message>
        <source>“%1” could not be made into a ringtone (%2).</source>
        <translation>無法將「%1」製作成鈴聲（%2）。</translation>
    </message>
    <message>
        <source>“%1” is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>「%1」超過 40 秒：iPhone 不會列出它。</translation>
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
        <translation>語言</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tonquill is already running but does not answer yet; it may be busy. This message closes by itself once it answers. Press OK to stop waiting.</source>
        <translation>Tonquill 已在執行，但尚未回應，可能正在忙碌。一旦回應，此訊息就會自動關閉。按 OK 停止等待。</translation>
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
        <translation>重新命名</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>名稱:</translation>
    </message>
    <message>
        <source>Manage ringtones on your iPhone.</source>
        <translation>管理 iPhone 上的鈴聲。</translation>
    </message>
    <message>
        <source>Save To PC</source>
        <translation>儲存到電腦</translation>
    </message>
    <message>
        <source>Add To iPhone</source>
        <translation>加入 iPhone</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>取代</translation>
    </message>
</context>
</TS>
