<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>الموقع: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>الدعم: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. All rights reserved.</source>
        <translation>حقوق النشر © 2026 %1. جميع الحقوق محفوظة.</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>الإصدار: </translation>
    </message>
</context>
<context>
    <name>CLinkOpener</name>
    <message>
        <source>No web browser could be started to show the help page. You can open it yourself: %1</source>
        <translation>تعذّر تشغيل متصفح ويب لعرض صفحة المساعدة. يمكنك فتحها بنفسك: %1</translation>
    </message>
    <message>
        <source>No web browser could be started to open %1. The help page is at: %2</source>
        <translation>تعذّر تشغيل متصفح ويب لفتح %1. صفحة المساعدة موجودة في: %2</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Could not initialize the connection to your iPhone!&lt;br&gt;Please try the following:&lt;br&gt;  * unlock the iPhone and keep it unlocked&lt;br&gt;  * when the iPhone asks whether to trust this computer, tap Trust&lt;br&gt;  * disconnect the iPhone and connect it again&lt;br&gt;&lt;br&gt;The phone service usbmuxd must be installed and running (on Debian and Ubuntu: the package &quot;usbmuxd&quot;).</source>
        <translation>تعذّر تهيئة الاتصال بجهاز iPhone!&lt;br&gt;يُرجى تجربة ما يلي:&lt;br&gt;  * افتح قفل iPhone وأبقه مفتوحًا&lt;br&gt;  * عندما يسأل iPhone عمّا إذا كان يثق بهذا الحاسوب، اضغط على «ثقة»&lt;br&gt;  * افصل iPhone ثم أعد توصيله&lt;br&gt;&lt;br&gt;يجب تثبيت خدمة الهاتف usbmuxd وتشغيلها (على Debian وUbuntu: الحزمة «usbmuxd»).</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple&apos;s technical restrictions...</source>
        <translation>تعذّر تهيئة الاتصال بجهاز iPhone/iPod touch!&lt;br&gt;قد يظهر هذا الخطأ إذا وصلت جهازًا لم يُوصَل قط ببرنامج iTunes على هذا الحاسوب.&lt;br&gt;جرّب ما يلي:&lt;br&gt;  * أغلق هذا البرنامج وافصل الجهاز عن الحاسوب&lt;br&gt;  * شغّل iTunes&lt;br&gt;  * صِل الجهاز&lt;br&gt;  * بعد ظهوره في iTunes، أغلق iTunes (لا حاجة إلى المزامنة أو نقل أي شيء)&lt;br&gt;  * أعد تشغيل هذا البرنامج.&lt;br&gt;&lt;br&gt;نعتذر عن هذا الإزعاج، فسببه قيود Apple التقنية...</translation>
    </message>
    <message>
        <source>&amp;Manage...</source>
        <translation>&amp;إدارة...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;حول</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;مساعدة</translation>
    </message>
    <message>
        <source>&amp;HomePage</source>
        <translation>ال&amp;موقع</translation>
    </message>
    <message>
        <source>You should install iTunes to transfer ringtone to iPhone.</source>
        <translation>يجب تثبيت iTunes لنقل النغمة إلى iPhone.</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>يُرجى توصيل iPhone بهذا الحاسوب.</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>إصدار iTunes قديم جدًا، يلزم الإصدار 7.3 على الأقل.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>اللغة</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>جاهز.</translation>
    </message>
    <message>
        <source>Volume: %1x</source>
        <translation>مستوى الصوت: %1x</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>كل الملفات</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>كل الصيغ المدعومة</translation>
    </message>
    <message>
        <source>Supported Video</source>
        <translation>الفيديو المدعوم</translation>
    </message>
    <message>
        <source>Supported Audio</source>
        <translation>الصوت المدعوم</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>فتح</translation>
    </message>
    <message>
        <source>Invalid input file</source>
        <translation>ملف إدخال غير صالح</translation>
    </message>
    <message>
        <source>File is loading, please wait...</source>
        <translation>جارٍ تحميل الملف، يُرجى الانتظار...</translation>
    </message>
    <message>
        <source>File loaded.</source>
        <translation>تم تحميل الملف.</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>فشل التحويل.</translation>
    </message>
    <message>
        <source>Making the ringtone, please wait...</source>
        <translation>جارٍ إنشاء النغمة، يرجى الانتظار...</translation>
    </message>
    <message>
        <source>The clip is too short: move its end further from its start.</source>
        <translation>المقطع قصير جدًا: أبعد نهايته عن بدايته.</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>لا يمكن الكتابة في مجلد الإخراج: اختر مجلدًا آخر.</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>قرص مجلد الإخراج ممتلئ.</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>ملف الإدخال لم يعد موجودًا.</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>ملف الإدخال لا يحتوي على صوت.</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>ملف الإدخال تالف أو ليس ملف وسائط.</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>المقطع لا يحتوي على صوت.</translation>
    </message>
    <message>
        <source>Conversion succeed.</source>
        <translation>تم التحويل بنجاح.</translation>
    </message>
    <message>
        <source>Transfer failed.</source>
        <translation>فشل النقل.</translation>
    </message>
    <message>
        <source>Transfer succeed.</source>
        <translation>تم النقل بنجاح.</translation>
    </message>
    <message>
        <source>Select a folder to store output file.</source>
        <translation>اختر مجلدًا لحفظ ملف الإخراج.</translation>
    </message>
    <message>
        <source>Tonquill</source>
        <translation>Tonquill</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>القائمة</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>تصغير</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>تشغيل</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>إيقاف مؤقت</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>معاينة المقطع</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>استعراض...</translation>
    </message>
    <message>
        <source>Input File:</source>
        <translation>الملف:</translation>
    </message>
    <message>
        <source>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;إدارة&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;مساعدة&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;الموقع&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;حول&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>تصدير إلى iPhone</translation>
    </message>
    <message>
        <source>Export to iTunes</source>
        <translation>فتح في iTunes</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>البداية:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>النهاية:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>المدة:</translation>
    </message>
    <message>
        <source>Local Output Folder:</source>
        <translation>مجلد الإخراج:</translation>
    </message>
    <message>
        <source>Output Name:</source>
        <translation>اسم الإخراج:</translation>
    </message>
    <message>
        <source>Fade in:</source>
        <translation>ظهور تدريجي:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>إنشاء</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>لا يعرض iPhone نغمات الرنين إلا حتى 40 ثانية: قصّر المقطع، وإلا فلن يعرضه الهاتف.</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>تم، لكن نغمة الرنين أطول من 40 ثانية: لن يعرضها iPhone.</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to rise from silence</source>
        <translation>عدد الثواني التي تستغرقها النغمة لترتفع من الصمت</translation>
    </message>
    <message>
        <source>The waveform could not be made.</source>
        <translation>تعذّر إنشاء شكل الموجة.</translation>
    </message>
    <message>
        <source>The ringtone could not be named; its sound was kept as an .m4a file.</source>
        <translation>تعذّرت تسمية النغمة؛ وقد احتُفظ بصوتها في ملف ‎.m4a.</translation>
    </message>
    <message>
        <source>The ringtone could not be saved as &quot;%1&quot; (%2).

Its sound was kept in:
%3</source>
        <translation>تعذّر حفظ النغمة باسم &quot;%1&quot; (%2).

احتُفظ بصوتها في:
%3</translation>
    </message>
    <message>
        <source>Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>أُرسلت إلى iPhone، لكن النغمة أطول من 40 ثانية: لن يعرضها iPhone في القائمة.</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent.</source>
        <translation>مستوى الصوت 0: ستكون النغمة صامتة.</translation>
    </message>
    <message>
        <source>The fade-in lasts the whole clip: the ringtone would never reach full volume.</source>
        <translation>يستمر التلاشي التدريجي طوال المقطع: لن تبلغ النغمة مستوى الصوت الكامل أبدًا.</translation>
    </message>
    <message>
        <source>No sound device was found: the preview plays silently.</source>
        <translation>لم يُعثر على جهاز صوت: تُشغَّل المعاينة دون صوت.</translation>
    </message>
    <message>
        <source>Your iPhone does not trust this computer.</source>
        <translation>جهاز iPhone لا يثق بهذا الحاسوب.</translation>
    </message>
    <message>
        <source>Your iPhone could not be connected.</source>
        <translation>تعذّر توصيل جهاز iPhone.</translation>
    </message>
    <message>
        <source>The phone service usbmuxd is not running.</source>
        <translation>خدمة الهاتف usbmuxd لا تعمل.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: the phone service usbmuxd does not answer.&lt;br&gt;Install usbmuxd (on Debian and Ubuntu: the package &quot;usbmuxd&quot;) and plug the phone in again.</source>
        <translation>تعذّر الوصول إلى جهاز iPhone: خدمة الهاتف usbmuxd لا تستجيب.&lt;br&gt;ثبّت usbmuxd (على Debian وUbuntu: الحزمة «usbmuxd») ثم أعد توصيل الهاتف.</translation>
    </message>
    <message>
        <source>The phone module is missing: no iPhone can be connected.</source>
        <translation>وحدة الهاتف مفقودة: لا يمكن توصيل أي iPhone.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (libtonquill_usbphone.so), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>تعذّر على Tonquill تحميل وحدة الهاتف (libtonquill_usbphone.so)، لذا لا يمكنه الوصول إلى أي iPhone.&lt;br&gt;أعد تثبيت Tonquill. ما زالت النغمات تُنشأ في مجلد الإخراج.</translation>
    </message>
    <message>
        <source>Unlock your iPhone to connect it.</source>
        <translation>افتح قفل iPhone لتوصيله.</translation>
    </message>
    <message>
        <source>Your iPhone is locked with a passcode.&lt;br&gt;Unlock it and keep it unlocked: it connects by itself.</source>
        <translation>جهاز iPhone مقفل برمز دخول.&lt;br&gt;افتح قفله وأبقه مفتوحًا: سيتصل تلقائيًا.</translation>
    </message>
    <message>
        <source>Tap Trust on your iPhone to connect it.</source>
        <translation>اضغط على «ثقة» في جهاز iPhone لتوصيله.</translation>
    </message>
    <message>
        <source>Your iPhone asks whether to trust this computer.&lt;br&gt;Unlock it, tap Trust and enter the passcode: it connects by itself.</source>
        <translation>يسأل جهاز iPhone عمّا إذا كان يثق بهذا الحاسوب.&lt;br&gt;افتح قفله واضغط على «ثقة» وأدخل رمز الدخول: سيتصل تلقائيًا.</translation>
    </message>
    <message>
        <source>Your iPhone was told not to trust this computer.&lt;br&gt;Disconnect the iPhone and connect it again, then tap Trust when it asks.</source>
        <translation>طُلب من جهاز iPhone ألا يثق بهذا الحاسوب.&lt;br&gt;افصل iPhone ثم أعد توصيله، واضغط على «ثقة» عندما يسأل.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;With the iPhone connected and unlocked, run &quot;idevicepair unpair&quot; and then &quot;idevicepair pair&quot; (package &quot;libimobiledevice-utils&quot;) and tap Trust on the iPhone: it then connects by itself.</source>
        <translation>لم يعد جهاز iPhone يقبل إقران هذا الحاسوب.&lt;br&gt;وجهاز iPhone موصول ومفتوح القفل، شغّل «idevicepair unpair» ثم «idevicepair pair» (الحزمة «libimobiledevice-utils») واضغط على «ثقة» في iPhone: سيتصل بعدها تلقائيًا.</translation>
    </message>
    <message>
        <source>Your iPhone&apos;s file service could not be started.</source>
        <translation>تعذّر تشغيل خدمة الملفات في جهاز iPhone.</translation>
    </message>
    <message>
        <source>Your iPhone trusts this computer but did not start its file service.&lt;br&gt;Disconnect the iPhone and connect it again; if that does not help, restart the iPhone.</source>
        <translation>جهاز iPhone يثق بهذا الحاسوب لكنه لم يشغّل خدمة الملفات.&lt;br&gt;افصل iPhone ثم أعد توصيله؛ وإن لم يُجدِ ذلك، أعد تشغيل iPhone.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone is full.</source>
        <translation>فشل النقل: ذاكرة iPhone ممتلئة.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone did not allow the ringtone to be written.</source>
        <translation>فشل النقل: لم يسمح iPhone بكتابة النغمة.</translation>
    </message>
    <message>
        <source>Transfer failed: another program is syncing with the iPhone; try again later.</source>
        <translation>فشل النقل: برنامج آخر يُجري مزامنة مع iPhone؛ أعد المحاولة لاحقًا.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone was disconnected during the transfer.</source>
        <translation>فشل النقل: انقطع اتصال iPhone أثناء النقل.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone&apos;s ringtone list cannot be read; the phone is unchanged.</source>
        <translation>فشل النقل: تتعذّر قراءة قائمة النغمات في iPhone؛ لم يتغيّر شيء على الهاتف.</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>تكرار</translation>
    </message>
    <message>
        <source>Play Clip plays the clip over and over, as the phone rings it</source>
        <translation>تُعاد معاينة المقطع مرة بعد مرة، كما سيرن به الهاتف</translation>
    </message>
    <message>
        <source>Ctrl+wheel zooms, the wheel or a drag on empty space scrolls, a double-click shows the whole file.
Click a handle or the clip, then Left/Right move it by 10 ms (Shift: 100 ms, Ctrl: 1 s), Home/End to the file&apos;s ends.</source>
        <translation>Ctrl+العجلة للتكبير، والعجلة أو السحب على مساحة فارغة للتمرير، والنقر المزدوج يعرض الملف كله.
انقر مقبضًا أو المقطع، ثم تحركه يسار/يمين 10 ms ‏(Shift: ‏100 ms، Ctrl: ثانية)، وHome/End إلى طرفي الملف.</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to fall to silence at its end</source>
        <translation>عدد الثواني التي تستغرقها النغمة لتخفت حتى الصمت في نهايتها</translation>
    </message>
    <message>
        <source>Fade out:</source>
        <translation>اختفاء تدريجي:</translation>
    </message>
    <message>
        <source>A ringtone is being made. Close Tonquill and stop making it?</source>
        <translation>يجري إنشاء نغمة رنين. هل تريد إغلاق Tonquill وإيقاف إنشائها؟</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent. Make it anyway?</source>
        <translation>مستوى الصوت 0: ستكون النغمة صامتة. هل تريد إنشاءها على أي حال؟</translation>
    </message>
    <message>
        <source>Apple Mobile Device Service is not running.</source>
        <translation>خدمة Apple Mobile Device Service لا تعمل.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: Apple Mobile Device Service does not answer.&lt;br&gt;Install iTunes (or Apple&apos;s device support alone, &quot;Apple Mobile Device Support&quot;), make sure the service &quot;Apple Mobile Device Service&quot; is running, and plug the phone in again.</source>
        <translation>تعذّر الوصول إلى جهاز iPhone: خدمة Apple Mobile Device Service لا تستجيب.&lt;br&gt;ثبّت iTunes (أو دعم أجهزة Apple وحده، «Apple Mobile Device Support»)، وتأكّد من أن الخدمة «Apple Mobile Device Service» تعمل، ثم أعد توصيل الهاتف.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (tonquill_usbphone.dll), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>تعذّر على Tonquill تحميل وحدة الهاتف (tonquill_usbphone.dll)، لذا لا يمكنه الوصول إلى أي iPhone.&lt;br&gt;أعد تثبيت Tonquill. ما زالت النغمات تُنشأ في مجلد الإخراج.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;Connect the iPhone to iTunes once, unlock it and tap Trust when it asks; then close iTunes: the iPhone connects by itself.</source>
        <translation>لم يعد جهاز iPhone يقبل إقران هذا الحاسوب.&lt;br&gt;صِل جهاز iPhone بـ iTunes مرة واحدة، وافتح قفله واضغط على «ثقة» عندما يسأل، ثم أغلق iTunes: سيتصل iPhone بعدها تلقائيًا.</translation>
    </message>
</context>
<context>
    <name>ManageDialog</name>
    <message>
        <source>Ringtone Formats(*.m4a;*.m4r)</source>
        <translation>صيغ النغمات(*.m4a;*.m4r)</translation>
    </message>
    <message>
        <source>No iPhone connected.</source>
        <translation>لا يوجد iPhone متصل.</translation>
    </message>
    <message>
        <source>No ringtones on this iPhone yet.</source>
        <translation>لا توجد نغمات على هذا الـ iPhone بعد.</translation>
    </message>
    <message>
        <source>The ringtone list on this iPhone cannot be read.</source>
        <translation>تعذّرت قراءة قائمة النغمات على هذا الـ iPhone.</translation>
    </message>
    <message>
        <source>The iPhone was disconnected.</source>
        <translation>تم فصل الـ iPhone.</translation>
    </message>
    <message>
        <source>“%1” is no longer on the iPhone.</source>
        <translation>لم يعد «%1» موجودًا على الـ iPhone.</translation>
    </message>
    <message>
        <source>The iPhone is full.</source>
        <translation>الـ iPhone ممتلئ.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>القرص ممتلئ.</translation>
    </message>
    <message>
        <source>The iPhone or this computer denied access to the file.</source>
        <translation>رفض الـ iPhone أو هذا الحاسوب الوصول إلى الملف.</translation>
    </message>
    <message>
        <source>You have no permission to write to that folder.</source>
        <translation>ليست لديك صلاحية الكتابة في هذا المجلد.</translation>
    </message>
    <message>
        <source>Another program is syncing with the iPhone. Try again when it has finished.</source>
        <translation>برنامج آخر يقوم بالمزامنة مع الـ iPhone. حاول مرة أخرى عندما ينتهي.</translation>
    </message>
    <message>
        <source>The ringtone is no longer on the iPhone.</source>
        <translation>لم تعد النغمة موجودة على الـ iPhone.</translation>
    </message>
    <message>
        <source>The list was out of date; it now shows what the iPhone holds.</source>
        <translation>كانت القائمة قديمة؛ وهي تعرض الآن ما على الـ iPhone.</translation>
    </message>
    <message>
        <source>The name cannot be any longer.</source>
        <translation>لا يمكن أن يكون الاسم أطول من ذلك.</translation>
    </message>
    <message>
        <source>The file cannot be used as a ringtone.</source>
        <translation>لا يمكن استخدام الملف كنغمة.</translation>
    </message>
    <message>
        <source>That file name cannot be used.</source>
        <translation>لا يمكن استخدام اسم الملف هذا.</translation>
    </message>
    <message>
        <source>The iPhone could not be read or written.</source>
        <translation>تعذّرت القراءة من الـ iPhone أو الكتابة عليه.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>تعذّرت كتابة الملف.</translation>
    </message>
    <message>
        <source>A ringtone needs a name.</source>
        <translation>يجب أن يكون للنغمة اسم.</translation>
    </message>
    <message>
        <source>Could not rename “%1”.</source>
        <translation>تعذّرت إعادة تسمية «%1».</translation>
    </message>
    <message>
        <source>Could not remove “%1”.</source>
        <translation>تعذّرت إزالة «%1».</translation>
    </message>
    <message>
        <source>“%1” is not a playable audio file.</source>
        <translation>«%1» ليس ملفًا صوتيًا قابلًا للتشغيل.</translation>
    </message>
    <message>
        <source>Could not replace the sound of “%1”.</source>
        <translation>تعذّر استبدال صوت «%1».</translation>
    </message>
    <message>
        <source>Replaced the sound of “%1”.</source>
        <translation>تم استبدال صوت «%1».</translation>
    </message>
    <message>
        <source>Could not save “%1” to %2.</source>
        <translation>تعذّر حفظ «%1» في %2.</translation>
    </message>
    <message>
        <source>Saved “%1” as %2.</source>
        <translation>تم حفظ «%1» باسم %2.</translation>
    </message>
    <message>
        <source>Could not add “%1”.</source>
        <translation>تعذّرت إضافة «%1».</translation>
    </message>
    <message>
        <source>The new ringtones could not be stored on the iPhone.</source>
        <translation>تعذّر تخزين النغمات الجديدة على الـ iPhone.</translation>
    </message>
    <message>
        <source>Ringtones added: %1.</source>
        <translation>النغمات المضافة: %1.</translation>
    </message>
    <message>
        <source>Converting “%1”: %2 %</source>
        <translation>جارٍ تحويل «%1»: %2 %</translation>
    </message>
    <message>
        <source>Preparing, please wait...</source>
        <translation>جارٍ التحضير، يرجى الانتظار...</translation>
    </message>
    <message>
        <source>“%1” could not be made into a ringtone (%2).</source>
        <translation>تعذّر تحويل «%1» إلى نغمة رنين (%2).</translation>
    </message>
    <message>
        <source>“%1” is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>«%1» أطول من 40 ثانية: لن يعرضها iPhone.</translation>
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
        <translation>اللغة</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tonquill is already running but does not answer yet; it may be busy. This message closes by itself once it answers. Press OK to stop waiting.</source>
        <translation>Tonquill يعمل بالفعل لكنه لا يستجيب بعد؛ ربما يكون مشغولاً. ستُغلق هذه الرسالة تلقائياً عندما يستجيب. اضغط OK للتوقف عن الانتظار.</translation>
    </message>
</context>
<context>
    <name>manageDlg</name>
    <message>
        <source>Manage</source>
        <translation>إدارة</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>إعادة تسمية</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>الاسم:</translation>
    </message>
    <message>
        <source>Manage ringtones on your iPhone.</source>
        <translation>إدارة النغمات على iPhone.</translation>
    </message>
    <message>
        <source>Save To PC</source>
        <translation>إلى الحاسوب</translation>
    </message>
    <message>
        <source>Add To iPhone</source>
        <translation>إلى iPhone</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>استبدال</translation>
    </message>
</context>
</TS>
