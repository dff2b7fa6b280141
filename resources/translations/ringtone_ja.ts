<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>ホームページ: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>サポート: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. All rights reserved.</source>
        <translation>Copyright © 2026 %1. All rights reserved.</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>バージョン: </translation>
    </message>
</context>
<context>
    <name>CLinkOpener</name>
    <message>
        <source>No web browser could be started to show the help page. You can open it yourself: %1</source>
        <translation>ヘルプを表示する Web ブラウザーを起動できませんでした。次の場所から開けます: %1</translation>
    </message>
    <message>
        <source>No web browser could be started to open %1. The help page is at: %2</source>
        <translation>%1 を開く Web ブラウザーを起動できませんでした。ヘルプの場所: %2</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Could not initialize the connection to your iPhone!&lt;br&gt;Please try the following:&lt;br&gt;  * unlock the iPhone and keep it unlocked&lt;br&gt;  * when the iPhone asks whether to trust this computer, tap Trust&lt;br&gt;  * disconnect the iPhone and connect it again&lt;br&gt;&lt;br&gt;The phone service usbmuxd must be installed and running (on Debian and Ubuntu: the package &quot;usbmuxd&quot;).</source>
        <translation>iPhone との接続を初期化できませんでした。&lt;br&gt;次のことを試してください:&lt;br&gt;  * iPhone のロックを解除し、解除したままにする&lt;br&gt;  * iPhone に「このコンピュータを信頼しますか?」と表示されたら「信頼」をタップする&lt;br&gt;  * iPhone を取り外して、もう一度接続する&lt;br&gt;&lt;br&gt;電話サービス usbmuxd がインストールされ、動作している必要があります (Debian と Ubuntu ではパッケージ「usbmuxd」)。</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple&apos;s technical restrictions...</source>
        <translation>iPhone/iPod touch との接続を初期化できませんでした。&lt;br&gt;このコンピュータの iTunes に一度も接続したことのないデバイスをつなぐと、このエラーが出ることがあります。&lt;br&gt;次の手順をお試しください:&lt;br&gt;  * このアプリケーションを終了し、デバイスをコンピュータから外す&lt;br&gt;  * iTunes を起動する&lt;br&gt;  * デバイスを接続する&lt;br&gt;  * iTunes にデバイスが表示されたら iTunes を終了する (同期や転送は不要です)&lt;br&gt;  * このアプリケーションを起動し直す&lt;br&gt;&lt;br&gt;ご不便をおかけします。Apple の技術的な制限によるものです...</translation>
    </message>
    <message>
        <source>&amp;Manage...</source>
        <translation>着信音の管理(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;HomePage</source>
        <translation>ホームページ(&amp;P)</translation>
    </message>
    <message>
        <source>You should install iTunes to transfer ringtone to iPhone.</source>
        <translation>着信音を iPhone に転送するには iTunes をインストールしてください。</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>iPhone をこのコンピュータに接続してください。</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>iTunes のバージョンが古すぎます。7.3 以上が必要です。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>準備完了。</translation>
    </message>
    <message>
        <source>Volume: %1x</source>
        <translation>音量: %1x</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>すべてのファイル</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>対応するすべての形式</translation>
    </message>
    <message>
        <source>Supported Video</source>
        <translation>対応ビデオ</translation>
    </message>
    <message>
        <source>Supported Audio</source>
        <translation>対応オーディオ</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Invalid input file</source>
        <translation>入力ファイルが無効です</translation>
    </message>
    <message>
        <source>File is loading, please wait...</source>
        <translation>ファイルを読み込んでいます。お待ちください...</translation>
    </message>
    <message>
        <source>File loaded.</source>
        <translation>ファイルを読み込みました。</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>変換に失敗しました。</translation>
    </message>
    <message>
        <source>Making the ringtone, please wait...</source>
        <translation>着信音を作成しています。お待ちください...</translation>
    </message>
    <message>
        <source>The clip is too short: move its end further from its start.</source>
        <translation>クリップが短すぎます。終了位置を開始位置から離してください。</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>出力フォルダーに書き込めません。別のフォルダーを選んでください。</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>出力フォルダーのディスクがいっぱいです。</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>入力ファイルが見つかりません。</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>入力ファイルに音声がありません。</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>入力ファイルが壊れているか、メディアファイルではありません。</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>クリップに音声がありません。</translation>
    </message>
    <message>
        <source>Conversion succeed.</source>
        <translation>変換が完了しました。</translation>
    </message>
    <message>
        <source>Transfer failed.</source>
        <translation>転送に失敗しました。</translation>
    </message>
    <message>
        <source>Transfer succeed.</source>
        <translation>転送が完了しました。</translation>
    </message>
    <message>
        <source>Select a folder to store output file.</source>
        <translation>出力ファイルを保存するフォルダを選んでください。</translation>
    </message>
    <message>
        <source>Tonquill</source>
        <translation>Tonquill</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>メニュー</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>クリップを試聴</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Input File:</source>
        <translation>入力ファイル:</translation>
    </message>
    <message>
        <source>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;管理&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;ヘルプ&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;ホーム&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;情報&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>iPhone に転送</translation>
    </message>
    <message>
        <source>Export to iTunes</source>
        <translation>iTunes で開く</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>開始:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>終了:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>長さ:</translation>
    </message>
    <message>
        <source>Local Output Folder:</source>
        <translation>保存先フォルダ:</translation>
    </message>
    <message>
        <source>Output Name:</source>
        <translation>出力名:</translation>
    </message>
    <message>
        <source>Fade in:</source>
        <translation>フェード
イン:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>作成</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>iPhone が一覧に表示する着信音は 40 秒までです。クリップを短くしないと、電話には表示されません。</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>完了しましたが、着信音が 40 秒より長いため iPhone には表示されません。</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to rise from silence</source>
        <translation>着信音が無音から立ち上がるまでの秒数</translation>
    </message>
    <message>
        <source>The waveform could not be made.</source>
        <translation>波形を作成できませんでした。</translation>
    </message>
    <message>
        <source>The ringtone could not be named; its sound was kept as an .m4a file.</source>
        <translation>着信音の名前を付けられませんでした。音声は .m4a ファイルとして残してあります。</translation>
    </message>
    <message>
        <source>The ringtone could not be saved as &quot;%1&quot; (%2).

Its sound was kept in:
%3</source>
        <translation>着信音を「%1」として保存できませんでした (%2)。

音声は次の場所に残してあります:
%3</translation>
    </message>
    <message>
        <source>Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>iPhone に送りましたが、着信音が 40 秒を超えているため iPhone の一覧には表示されません。</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent.</source>
        <translation>音量が 0 です。着信音は無音になります。</translation>
    </message>
    <message>
        <source>The fade-in lasts the whole clip: the ringtone would never reach full volume.</source>
        <translation>フェードインが区間全体に及んでいます。着信音は最大音量に達しません。</translation>
    </message>
    <message>
        <source>No sound device was found: the preview plays silently.</source>
        <translation>サウンドデバイスが見つかりません。プレビューは無音で再生されます。</translation>
    </message>
    <message>
        <source>Your iPhone does not trust this computer.</source>
        <translation>iPhone はこのコンピュータを信頼していません。</translation>
    </message>
    <message>
        <source>Your iPhone could not be connected.</source>
        <translation>iPhone に接続できませんでした。</translation>
    </message>
    <message>
        <source>The phone service usbmuxd is not running.</source>
        <translation>電話サービス usbmuxd が動作していません。</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: the phone service usbmuxd does not answer.&lt;br&gt;Install usbmuxd (on Debian and Ubuntu: the package &quot;usbmuxd&quot;) and plug the phone in again.</source>
        <translation>iPhone に接続できません: 電話サービス usbmuxd が応答しません。&lt;br&gt;usbmuxd をインストールして (Debian と Ubuntu ではパッケージ「usbmuxd」)、電話をもう一度接続してください。</translation>
    </message>
    <message>
        <source>The phone module is missing: no iPhone can be connected.</source>
        <translation>電話モジュールがありません: iPhone を接続できません。</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (libtonquill_usbphone.so), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill は電話モジュール (libtonquill_usbphone.so) を読み込めなかったため、iPhone に接続できません。&lt;br&gt;Tonquill をインストールし直してください。着信音は引き続き出力フォルダに作成されます。</translation>
    </message>
    <message>
        <source>Unlock your iPhone to connect it.</source>
        <translation>接続するには iPhone のロックを解除してください。</translation>
    </message>
    <message>
        <source>Your iPhone is locked with a passcode.&lt;br&gt;Unlock it and keep it unlocked: it connects by itself.</source>
        <translation>iPhone はパスコードでロックされています。&lt;br&gt;ロックを解除し、解除したままにしてください: 自動的に接続されます。</translation>
    </message>
    <message>
        <source>Tap Trust on your iPhone to connect it.</source>
        <translation>接続するには iPhone で「信頼」をタップしてください。</translation>
    </message>
    <message>
        <source>Your iPhone asks whether to trust this computer.&lt;br&gt;Unlock it, tap Trust and enter the passcode: it connects by itself.</source>
        <translation>iPhone がこのコンピュータを信頼するかどうかを尋ねています。&lt;br&gt;ロックを解除し、「信頼」をタップしてパスコードを入力してください: 自動的に接続されます。</translation>
    </message>
    <message>
        <source>Your iPhone was told not to trust this computer.&lt;br&gt;Disconnect the iPhone and connect it again, then tap Trust when it asks.</source>
        <translation>iPhone でこのコンピュータを信頼しないことが選ばれました。&lt;br&gt;iPhone を取り外してもう一度接続し、尋ねられたら「信頼」をタップしてください。</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;With the iPhone connected and unlocked, run &quot;idevicepair unpair&quot; and then &quot;idevicepair pair&quot; (package &quot;libimobiledevice-utils&quot;) and tap Trust on the iPhone: it then connects by itself.</source>
        <translation>iPhone はこのコンピュータとのペアリングを受け付けなくなりました。&lt;br&gt;iPhone を接続してロックを解除した状態で「idevicepair unpair」、続いて「idevicepair pair」を実行し (パッケージ「libimobiledevice-utils」)、iPhone で「信頼」をタップしてください: その後、自動的に接続されます。</translation>
    </message>
    <message>
        <source>Your iPhone&apos;s file service could not be started.</source>
        <translation>iPhone のファイルサービスを開始できませんでした。</translation>
    </message>
    <message>
        <source>Your iPhone trusts this computer but did not start its file service.&lt;br&gt;Disconnect the iPhone and connect it again; if that does not help, restart the iPhone.</source>
        <translation>iPhone はこのコンピュータを信頼していますが、ファイルサービスを開始しませんでした。&lt;br&gt;iPhone を取り外してもう一度接続してください。それでも解決しない場合は iPhone を再起動してください。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone is full.</source>
        <translation>転送に失敗しました: iPhone の空き容量がありません。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone did not allow the ringtone to be written.</source>
        <translation>転送に失敗しました: iPhone が着信音の書き込みを許可しませんでした。</translation>
    </message>
    <message>
        <source>Transfer failed: another program is syncing with the iPhone; try again later.</source>
        <translation>転送に失敗しました: 別のプログラムが iPhone と同期中です。後でもう一度お試しください。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone was disconnected during the transfer.</source>
        <translation>転送に失敗しました: 転送中に iPhone の接続が切れました。</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone&apos;s ringtone list cannot be read; the phone is unchanged.</source>
        <translation>転送に失敗しました: iPhone の着信音リストを読み取れません。iPhone は変更されていません。</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>ループ</translation>
    </message>
    <message>
        <source>Play Clip plays the clip over and over, as the phone rings it</source>
        <translation>クリップの再生を、電話が鳴るときのように繰り返します</translation>
    </message>
    <message>
        <source>Ctrl+wheel zooms, the wheel or a drag on empty space scrolls, a double-click shows the whole file.
Click a handle or the clip, then Left/Right move it by 10 ms (Shift: 100 ms, Ctrl: 1 s), Home/End to the file&apos;s ends.</source>
        <translation>Ctrl+ホイールで拡大縮小、ホイールまたは空いた所のドラッグでスクロール、ダブルクリックでファイル全体を表示します。
つまみかクリップをクリックすると、左右キーで 10 ms ずつ（Shift: 100 ms、Ctrl: 1 秒）、Home/End でファイルの端へ動かせます。</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to fall to silence at its end</source>
        <translation>着信音の終わりで無音になるまでの秒数</translation>
    </message>
    <message>
        <source>Fade out:</source>
        <translation>フェードアウト:</translation>
    </message>
    <message>
        <source>A ringtone is being made. Close Tonquill and stop making it?</source>
        <translation>着信音を作成中です。Tonquill を閉じて作成を中止しますか?</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent. Make it anyway?</source>
        <translation>音量が 0 です。着信音は無音になります。このまま作成しますか？</translation>
    </message>
    <message>
        <source>Apple Mobile Device Service is not running.</source>
        <translation>Apple Mobile Device Service が動作していません。</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: Apple Mobile Device Service does not answer.&lt;br&gt;Install iTunes (or Apple&apos;s device support alone, &quot;Apple Mobile Device Support&quot;), make sure the service &quot;Apple Mobile Device Service&quot; is running, and plug the phone in again.</source>
        <translation>iPhone に接続できません: Apple Mobile Device Service が応答しません。&lt;br&gt;iTunes (または Apple のデバイスサポートのみ、「Apple Mobile Device Support」) をインストールし、サービス「Apple Mobile Device Service」が動作していることを確認してから、電話をもう一度接続してください。</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (tonquill_usbphone.dll), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill は電話モジュール (tonquill_usbphone.dll) を読み込めなかったため、iPhone に接続できません。&lt;br&gt;Tonquill をインストールし直してください。着信音は引き続き出力フォルダに作成されます。</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;Connect the iPhone to iTunes once, unlock it and tap Trust when it asks; then close iTunes: the iPhone connects by itself.</source>
        <translation>iPhone はこのコンピュータとのペアリングを受け付けなくなりました。&lt;br&gt;iPhone を一度 iTunes に接続し、ロックを解除して、確認されたら「信頼」をタップしてください。その後 iTunes を閉じると、iPhone は自動的に接続されます。</translation>
    </message>
</context>
<context>
    <name>ManageDialog</name>
    <message>
        <source>Ringtone Formats(*.m4a;*.m4r)</source>
        <translation>着信音ファイル(*.m4a;*.m4r)</translation>
    </message>
    <message>
        <source>No iPhone connected.</source>
        <translation>iPhone が接続されていません。</translation>
    </message>
    <message>
        <source>No ringtones on this iPhone yet.</source>
        <translation>この iPhone にはまだ着信音がありません。</translation>
    </message>
    <message>
        <source>The ringtone list on this iPhone cannot be read.</source>
        <translation>この iPhone の着信音リストを読み取れません。</translation>
    </message>
    <message>
        <source>The iPhone was disconnected.</source>
        <translation>iPhone が切断されました。</translation>
    </message>
    <message>
        <source>“%1” is no longer on the iPhone.</source>
        <translation>「%1」は iPhone 上にもうありません。</translation>
    </message>
    <message>
        <source>The iPhone is full.</source>
        <translation>iPhone の空き容量がありません。</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>ディスクの空き容量がありません。</translation>
    </message>
    <message>
        <source>The iPhone or this computer denied access to the file.</source>
        <translation>iPhone またはこのコンピュータがファイルへのアクセスを拒否しました。</translation>
    </message>
    <message>
        <source>You have no permission to write to that folder.</source>
        <translation>そのフォルダに書き込む権限がありません。</translation>
    </message>
    <message>
        <source>Another program is syncing with the iPhone. Try again when it has finished.</source>
        <translation>別のプログラムが iPhone と同期しています。終了してからもう一度お試しください。</translation>
    </message>
    <message>
        <source>The ringtone is no longer on the iPhone.</source>
        <translation>この着信音は iPhone 上にもうありません。</translation>
    </message>
    <message>
        <source>The list was out of date; it now shows what the iPhone holds.</source>
        <translation>一覧が古くなっていました。iPhone 上の現在の内容を表示しています。</translation>
    </message>
    <message>
        <source>The name cannot be any longer.</source>
        <translation>名前をこれ以上長くすることはできません。</translation>
    </message>
    <message>
        <source>The file cannot be used as a ringtone.</source>
        <translation>このファイルは着信音として使用できません。</translation>
    </message>
    <message>
        <source>That file name cannot be used.</source>
        <translation>そのファイル名は使用できません。</translation>
    </message>
    <message>
        <source>The iPhone could not be read or written.</source>
        <translation>iPhone の読み書きができませんでした。</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>ファイルを書き込めませんでした。</translation>
    </message>
    <message>
        <source>A ringtone needs a name.</source>
        <translation>着信音には名前が必要です。</translation>
    </message>
    <message>
        <source>Could not rename “%1”.</source>
        <translation>「%1」の名前を変更できませんでした。</translation>
    </message>
    <message>
        <source>Could not remove “%1”.</source>
        <translation>「%1」を削除できませんでした。</translation>
    </message>
    <message>
        <source>“%1” is not a playable audio file.</source>
        <translation>「%1」は再生できるオーディオファイルではありません。</translation>
    </message>
    <message>
        <source>Could not replace the sound of “%1”.</source>
        <translation>「%1」のサウンドを置き換えられませんでした。</translation>
    </message>
    <message>
        <source>Replaced the sound of “%1”.</source>
        <translation>「%1」のサウンドを置き換えました。</translation>
    </message>
    <message>
        <source>Could not save “%1” to %2.</source>
        <translation>「%1」を %2 に保存できませんでした。</translation>
    </message>
    <message>
        <source>Saved “%1” as %2.</source>
        <translation>「%1」を %2 として保存しました。</translation>
    </message>
    <message>
        <source>Could not add “%1”.</source>
        <translation>「%1」を追加できませんでした。</translation>
    </message>
    <message>
        <source>The new ringtones could not be stored on the iPhone.</source>
        <translation>新しい着信音を iPhone に保存できませんでした。</translation>
    </message>
    <message>
        <source>Ringtones added: %1.</source>
        <translation>追加した着信音: %1</translation>
    </message>
    <message>
        <source>Converting “%1”: %2 %</source>
        <translation>「%1」を変換中: %2 %</translation>
    </message>
    <message>
        <source>Preparing, please wait...</source>
        <translation>準備中です。お待ちください...</translation>
    </message>
    <message>
        <source>“%1” could not be made into a ringtone (%2).</source>
        <translation>「%1」から着信音を作成できませんでした (%2)。</translation>
    </message>
    <message>
        <source>“%1” is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>「%1」は 40 秒を超えています。iPhone には表示されません。</translation>
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
        <translation>言語</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tonquill is already running but does not answer yet; it may be busy. This message closes by itself once it answers. Press OK to stop waiting.</source>
        <translation>Tonquill はすでに実行中ですが、まだ応答がありません。処理中の可能性があります。応答があるとこのメッセージは自動的に閉じます。待つのをやめるには OK を押してください。</translation>
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
        <translation>名前を変更</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>名前:</translation>
    </message>
    <message>
        <source>Manage ringtones on your iPhone.</source>
        <translation>iPhone の着信音を管理します。</translation>
    </message>
    <message>
        <source>Save To PC</source>
        <translation>PC に保存</translation>
    </message>
    <message>
        <source>Add To iPhone</source>
        <translation>iPhone に追加</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置き換え</translation>
    </message>
</context>
</TS>
