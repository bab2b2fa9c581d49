<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ta_IN">
<context>
    <name>Filters</name>
    <message>
        <location filename="../../src/platform/translations.cpp" line="24" />
        <source>Tamil Text File  (*.tam)</source>
        <translation>தமிழ் உரைக் கோப்பு (*.tam)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="24" />
        <source>All Files (*)</source>
        <translation>எல்லாக் கோப்புகளும் (*)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="25" />
        <source>Unicode Text File (*.txt)</source>
        <translation>யூனிகோட் உரைக் கோப்பு (*.txt)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="25" />
        <source>Unicode Tamil text (*.txt)</source>
        <translation>யூனிகோட் தமிழ் உரை (*.txt)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="26" />
        <source>PDF document (*.pdf)</source>
        <translation>PDF ஆவணம் (*.pdf)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="27" />
        <source>All documents (*.tam *.txt *.docx *.odt *.rtf *.pdf)</source>
        <translation>எல்லா ஆவணங்களும் (*.tam *.txt *.docx *.odt *.rtf *.pdf)</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <location filename="../../src/platform/reasons.h" line="43" />
        <source>it is a folder</source>
        <translation>அது ஒரு கோப்புறை</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="44" />
        <source>it is not a regular file</source>
        <translation>அது வழக்கமான கோப்பு அல்ல</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="46" />
        <source>it changed while it was read</source>
        <translation>படிக்கும்போதே அது மாறியது</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="47" />
        <source>it is cut short</source>
        <translation>அது இடையில் துண்டிக்கப்பட்டுள்ளது</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="48" />
        <source>it is damaged</source>
        <translation>அது சிதைந்துள்ளது</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="49" />
        <source>it is not an Orvane recovery file</source>
        <translation>அது Orvane மீட்புக் கோப்பு அல்ல</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="50" />
        <source>it is not a folder</source>
        <translation>அது கோப்புறை அல்ல</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="51" />
        <source>there is not enough memory</source>
        <translation>போதுமான நினைவகம் இல்லை</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="52" />
        <source>it was written by a newer Orvane</source>
        <translation>அதை Orvane-இன் புதிய பதிப்பு எழுதியது</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="45" />
        <source>it is larger than %1 MB</source>
        <translation>அது %1 MB-ஐ விடப் பெரியது</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="53" />
        <source>it has more than %1 lines</source>
        <translation>அதில் %1-க்கும் மேற்பட்ட வரிகள் உள்ளன</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="54" />
        <source>it belongs to another user</source>
        <translation>அது வேறொரு பயனருக்குச் சொந்தமானது</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="55" />
        <source>it is inside a folder that other users may change</source>
        <translation>பிற பயனர்கள் மாற்றக்கூடிய ஒரு கோப்புறைக்குள் அது உள்ளது</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="56" />
        <source>there is no home folder to keep it in</source>
        <translation>அதை வைக்க வீட்டுக் கோப்புறை இல்லை</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="57" />
        <source>it is an old binary Word document (.doc); save it as .docx first</source>
        <translation>அது பழைய இருமநிலை Word ஆவணம் (.doc); முதலில் அதை .docx ஆகச் சேமிக்கவும்</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="58" />
        <source>it is not a Word document (it has no word/document.xml)</source>
        <translation>அது Word ஆவணம் அல்ல (அதில் word/document.xml இல்லை)</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="59" />
        <source>it is not an OpenDocument text (it has no content.xml)</source>
        <translation>அது OpenDocument உரை அல்ல (அதில் content.xml இல்லை)</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="61" />
        <source>it is a zip archive but no Word or OpenDocument text (it has no word/document.xml)</source>
        <translation>அது ஒரு zip காப்பகம், ஆனால் Word அல்லது OpenDocument உரை அல்ல (அதில் word/document.xml இல்லை)</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="63" />
        <source>it is not a readable zip archive (%1)</source>
        <translation>அது படிக்கக்கூடிய zip காப்பகம் அல்ல (%1)</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="64" />
        <source>it is a zip archive that cannot be read as a document: %1</source>
        <translation>அது ஒரு zip காப்பகம், ஆனால் ஆவணமாகப் படிக்க இயலாது: %1</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="65" />
        <source>it is encrypted; save it without a password first</source>
        <translation>அது மறையாக்கப்பட்டுள்ளது; முதலில் கடவுச்சொல் இன்றி அதைச் சேமிக்கவும்</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="66" />
        <source>it is damaged (\bin runs past its end)</source>
        <translation>அது சிதைந்துள்ளது (\bin அதன் முடிவைத் தாண்டுகிறது)</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="68" />
        <source>it looks like %1, not text</source>
        <translation>அது உரையல்ல, %1 போலத் தெரிகிறது</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="69" />
        <source>it would be larger than %1 MB (--large writes it all the same)</source>
        <translation>அது %1 MB-ஐ விடப் பெரிதாகும் (--large அதை அப்படியும் எழுதும்)</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="71" />
        <source>it would be larger than %1 MB, which the editor does not open (--large writes it all the same)</source>
        <translation>அது %1 MB-ஐ விடப் பெரிதாகும்; அதை Orvane திறக்காது (--large அதை அப்படியும் எழுதும்)</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="73" />
        <source>OUTPUT is the same file; name another</source>
        <translation>OUTPUT அதே கோப்பு; வேறொன்றைப் பெயரிடவும்</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="74" />
        <source>it looks like a PDF document, but it cannot be read (damaged?)</source>
        <translation>அது PDF ஆவணம் போலத் தெரிகிறது, ஆனால் அதைப் படிக்க முடியவில்லை (சிதைந்ததா?)</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="75" />
        <source>it is locked with a password</source>
        <translation>அது கடவுச்சொல்லால் பூட்டப்பட்டுள்ளது</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="77" />
        <source>PDFs cannot be read here: %1</source>
        <translation>இங்கே PDF-களைப் படிக்க முடியாது: %1</translation>
    </message>
    <message>
        <location filename="../../src/platform/reasons.h" line="79" />
        <source>word-processor documents cannot be read or written here: %1</source>
        <translation>இங்கே சொல் செயலி ஆவணங்களைப் படிக்கவோ எழுதவோ முடியாது: %1</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="39" />
        <source>Open</source>
        <translation>திற</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="40" />
        <source>Export</source>
        <translation>ஏற்றுமதி</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="41" />
        <source>Print</source>
        <translation>அச்சிடு</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="42" />
        <source>Recovery</source>
        <translation>மீட்பு</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="43" />
        <source>Paste</source>
        <translation>ஒட்டு</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="44" />
        <source>Word Count</source>
        <translation>சொல் எண்ணிக்கை</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="45" />
        <source>Save</source>
        <translation>சேமி</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="46" />
        <source>Type English</source>
        <translation>ஆங்கிலம் தட்டச்சிடு</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="47" />
        <source>Convert Document</source>
        <translation>ஆவணத்தை மாற்று</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="51" />
        <source>You have not saved the Document.  Do you want to save it now</source>
        <translation>நீங்கள் ஆவணத்தைச் சேமிக்கவில்லை.  இப்போது சேமிக்க வேண்டுமா</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="53" />
        <source>The document could not be saved to
%1

%2.

Your text is still here with its changes. Save it somewhere else.</source>
        <translation>ஆவணத்தை இங்கு சேமிக்க இயலவில்லை:
%1

%2.

உங்கள் உரை அதன் மாற்றங்களுடன் இங்கேயே உள்ளது. வேறு இடத்தில் சேமியுங்கள்.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="56" />
        <source>The file
%1
could not be opened: %2.</source>
        <translation>இந்தக் கோப்பைத் திறக்க இயலவில்லை:
%1
%2.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="58" />
        <source>The Unicode text could not be written to
%1

%2.</source>
        <translation>யூனிகோட் உரையை இங்கு எழுத இயலவில்லை:
%1

%2.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="60" />
        <source>The PDF could not be written to
%1

%2.</source>
        <translation>PDF-ஐ இங்கு எழுத இயலவில்லை:
%1

%2.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="62" />
        <source>Printing and PDF export are not available: %1.</source>
        <translation>அச்சிடவோ PDF ஆக ஏற்றுமதி செய்யவோ இயலாது: %1.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="64" />
        <source>%1
already exists. Do you want to replace it?</source>
        <translation>%1
ஏற்கனவே உள்ளது. அதன் மேல் எழுத வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="66" />
        <source>Another program has changed
%1
since Orvane opened or saved it.

Save over those changes?</source>
        <translation>Orvane திறந்த அல்லது சேமித்த பிறகு வேறொரு நிரல் இதை மாற்றியுள்ளது:
%1

அந்த மாற்றங்களின் மேல் சேமிக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="68" />
        <source>%1
is no longer the file Orvane opened: another program has replaced or moved it.

Save your text under this name anyway?</source>
        <translation>%1
இப்போது Orvane திறந்த கோப்பு அல்ல: வேறொரு நிரல் அதை மாற்றியுள்ளது அல்லது நகர்த்தியுள்ளது.

இருந்தாலும் உங்கள் உரையை இந்தப் பெயரில் சேமிக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="71" />
        <source>Another program has changed
%1

Load the new version?</source>
        <translation>வேறொரு நிரல் இதை மாற்றியுள்ளது:
%1

புதிய பதிப்பை ஏற்ற வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="73" />
        <source>The file
%1
no longer exists: the text in Orvane is the only copy.

Save it now?</source>
        <translation>இந்தக் கோப்பு இப்போது இல்லை:
%1
Orvane-இல் உள்ள உரையே ஒரே படி.

இப்போது சேமிக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="75" />
        <source>Saved, %1 would be a file of %2 MB, larger than the %3 MB Orvane opens: Orvane could not open it again.

Save it anyway?</source>
        <translation>சேமித்தால் %1 என்பது %2 MB கோப்பாகும்; அது Orvane திறக்கும் %3 MB-ஐ விடப் பெரியது: Orvane-ஆல் அதை மீண்டும் திறக்க இயலாது.

இருந்தாலும் சேமிக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="99" />
        <source>The Unicode text
%1
holds characters that a Tamil document cannot hold (%2 in all). They will be shown as "?", and saving writes "?" in their place.

Open it anyway?</source>
        <translation>இந்த யூனிகோட் உரையில், தமிழ் ஆவணத்தில் வைக்க இயலாத எழுத்துக்குறிகள் உள்ளன (மொத்தம் %2):
%1
அவை "?" ஆகக் காட்டப்படும்; சேமித்தால் அவற்றின் இடத்தில் "?" எழுதப்படும்.

இருந்தாலும் திறக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="102" />
        <source>The Unicode text
%1
holds syllables that Bamini has no letter for (%2 in all: ஙு ஙூ ஞு ஞூ ஷு ஷூ). They will be shown without their vowel sign, and saving writes them so.

Open it anyway?</source>
        <translation>இந்த யூனிகோட் உரையில், பாமினியில் எழுத்து இல்லாத உயிர்மெய்கள் உள்ளன (மொத்தம் %2: ஙு ஙூ ஞு ஞூ ஷு ஷூ):
%1
அவை உயிர்க்குறி இல்லாமல் காட்டப்படும்; சேமித்தாலும் அவ்வாறே எழுதப்படும்.

இருந்தாலும் திறக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="139" />
        <source>English words: %1 (see Edit)</source>
        <translation>ஆங்கிலச் சொற்கள்: %1 (திருத்து பட்டி)</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="141" />
        <source>English kept: %1; saved as %2</source>
        <translation>ஆங்கிலம்: %1; சேமிப்பது %2</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="143" />
        <source>No English words here</source>
        <translation>இங்கே ஆங்கிலச் சொல் இல்லை</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="111" />
        <source>Saved, %1 would have %2 lines, more than the %3 Orvane opens: Orvane could not open it again.

Save it anyway?</source>
        <translation>சேமித்தால் %1 இல் %2 வரிகள் இருக்கும்; அது Orvane திறக்கும் %3-ஐ விட அதிகம்: Orvane-ஆல் அதை மீண்டும் திறக்க இயலாது.

இருந்தாலும் சேமிக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="120" />
        <source>Counted in the whole document:

Words: %1
Tamil letters: %2
Characters: %3
Lines: %4</source>
        <translation>முழு ஆவணத்திலும் எண்ணியவை:

சொற்கள்: %1
தமிழ் எழுத்துகள்: %2
எழுத்துக்குறிகள்: %3
வரிகள்: %4</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="122" />
        <source>Counted in the selection only:

Words: %1
Tamil letters: %2
Characters: %3
Lines: %4</source>
        <translation>தேர்ந்தெடுத்த பகுதியில் மட்டும் எண்ணியவை:

சொற்கள்: %1
தமிழ் எழுத்துகள்: %2
எழுத்துக்குறிகள்: %3
வரிகள்: %4</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="124" />
        <source>%1 is a .tam file, which holds Tamil only: every byte of it is a Tamil letter in a Bamini font.

Keep the document as Unicode text from now on, so that the English stays English? Saved, it becomes
%2

Yes keeps it as Unicode text. No leaves the English out.</source>
        <translation>%1 ஒரு .tam கோப்பு; அது தமிழை மட்டுமே கொள்ளும்: பாமினி எழுத்துருவில் அதன் ஒவ்வொரு பைட்டும் ஒரு தமிழ் எழுத்து.

ஆங்கிலம் ஆங்கிலமாகவே இருக்க, இனி ஆவணத்தை யூனிகோட் உரையாக வைத்திருக்க வேண்டுமா? சேமித்தால் அது இதுவாகும்:
%2

ஆம் என்றால் யூனிகோட் உரையாக வைக்கும். இல்லை என்றால் ஆங்கிலத்தை விட்டுவிடும்.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="129" />
        <source>%1
is a .tam file, which holds Tamil only. The English in the document will be left out of it, and out of the document.

Save it so?</source>
        <translation>%1
ஒரு .tam கோப்பு; அது தமிழை மட்டுமே கொள்ளும். ஆவணத்தில் உள்ள ஆங்கிலம் கோப்பிலிருந்தும் ஆவணத்திலிருந்தும் விடப்படும்.

அப்படியே சேமிக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="132" />
        <source>Only part of the last changes to %1 could be read back: %2. The text is restored as far as it could be read; look it over before you save it.</source>
        <translation>%1 இல் செய்த கடைசி மாற்றங்களில் ஒரு பகுதியை மட்டுமே மீண்டும் படிக்க முடிந்தது: %2. படிக்க முடிந்த வரை உரை மீட்கப்பட்டுள்ளது; சேமிக்கும் முன் அதைச் சரிபாருங்கள்.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="135" />
        <source>Convert the Bamini text of
%1
to Unicode Tamil?

No converts its Unicode Tamil back to Bamini codes.</source>
        <translation>%1
இல் உள்ள பாமினி உரையை யூனிகோட் தமிழாக மாற்றவா?

இல்லை என்றால், அதன் யூனிகோட் தமிழ் பாமினிக் குறியீடுகளாக மாற்றப்படும்.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="137" />
        <source>The document
%1
could not be converted: %2.</source>
        <translation>ஆவணம்
%1
மாற்றப்பட முடியவில்லை: %2.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="78" />
        <source>%1
has other names (hard links): %2.

Yes writes into the file itself, so that every name shows the new text. No saves a new file under this name only.</source>
        <translation>%1
க்கு வேறு பெயர்களும் உள்ளன (வன் இணைப்புகள்): %2.

‘ஆம்’ என்றால் அந்தக் கோப்பிலேயே எழுதப்படும்; அதன் எல்லாப் பெயர்களிலும் புதிய உரை தெரியும். ‘இல்லை’ என்றால் இந்தப் பெயருக்கு மட்டும் புதிய கோப்பு சேமிக்கப்படும்.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="81" />
        <source>The name
%1
cannot be used: it holds bytes that could not be read as text. Choose another name.</source>
        <translation>இந்தப் பெயரைப் பயன்படுத்த இயலாது:
%1
உரையாகப் படிக்க முடியாத பைட்டுகள் அதில் உள்ளன. வேறு பெயரைத் தேர்ந்தெடுங்கள்.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="84" />
        <source>Orvane closed before %1 was saved. Restore the unsaved text?</source>
        <translation>%1 சேமிக்கப்படுவதற்கு முன்பே Orvane மூடப்பட்டது. சேமிக்கப்படாத உரையை மீட்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="86" />
        <source>The unsaved text of %1 will be deleted for good.

Delete it?</source>
        <translation>%1 இன் சேமிக்கப்படாத உரை நிரந்தரமாக நீக்கப்படும்.

நீக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="88" />
        <source>Orvane cannot keep a recovery copy of your unsaved text in
%1

%2.

Until that is mended, save your work often.</source>
        <translation>சேமிக்கப்படாத உங்கள் உரையின் மீட்புப் படியை Orvane-ஆல் இங்கு வைக்க இயலவில்லை:
%1

%2.

இது சரிசெய்யப்படும் வரை அடிக்கடி சேமியுங்கள்.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="91" />
        <source>The recovery file of an earlier run
%1
cannot be read: %2. It was moved to
%3</source>
        <translation>முந்தைய இயக்கத்தின் மீட்புக் கோப்பைப் படிக்க இயலவில்லை:
%1
%2. அது இங்கு நகர்த்தப்பட்டது:
%3</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="93" />
        <source>The unsaved text of %1 could not be restored: %2.

It is kept, as it was, in
%3</source>
        <translation>%1 இன் சேமிக்கப்படாத உரையை மீட்க இயலவில்லை: %2.

அது அப்படியே இங்கு வைக்கப்பட்டுள்ளது:
%3</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="95" />
        <source>%1: its text, without formatting</source>
        <translation>%1: வடிவமைப்பின்றி உரை</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="97" />
        <source>%1: Unicode text, kept as it is</source>
        <translation>%1: யூனிகோட் உரை, அப்படியே</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="106" />
        <source>The file
%1
has a paragraph of %2 KB without a line end. Orvane is slow to edit paragraphs that long.

Open it anyway?</source>
        <translation>இந்தக் கோப்பில் வரி முடிவு இல்லாத %2 KB பத்தி ஒன்று உள்ளது:
%1
இவ்வளவு நீளமான பத்திகளைத் திருத்துவதில் Orvane மெதுவாக இயங்கும்.

இருந்தாலும் திறக்க வேண்டுமா?</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="109" />
        <source>The file
%1
could not be opened: it has %2 lines, and Orvane holds at most %3.</source>
        <translation>இந்தக் கோப்பைத் திறக்க இயலவில்லை:
%1
அதில் %2 வரிகள் உள்ளன; Orvane அதிகபட்சம் %3 வரிகளையே தாங்கும்.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="114" />
        <source>The file
%1
could not be opened: there is not enough memory for it.</source>
        <translation>இந்தக் கோப்பைத் திறக்க இயலவில்லை:
%1
அதற்குப் போதிய நினைவகம் இல்லை.</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="116" />
        <source>Opening %1 stopped</source>
        <translation>%1 திறப்பது நின்றது</translation>
    </message>
    <message>
        <location filename="../../src/platform/message_text.cpp" line="118" />
        <source>The text could not be pasted: there is not enough memory for it.</source>
        <translation>உரையை ஒட்ட இயலவில்லை: அதற்குப் போதிய நினைவகம் இல்லை.</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="43" />
        <source>Drive</source>
        <translation>இயக்ககம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="149" />
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>கோப்புறை</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="12" />
        <source>Look in:</source>
        <translation>இதில் பார்:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="13" />
        <source>Back</source>
        <translation>பின்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="14" />
        <source>Go back</source>
        <translation>பின் செல்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="15" />
        <source>Forward</source>
        <translation>முன்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="16" />
        <source>Go forward</source>
        <translation>முன் செல்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="17" />
        <source>Parent Directory</source>
        <translation>மேல் கோப்புறை</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="18" />
        <source>Go to the parent directory</source>
        <translation>மேல் கோப்புறைக்குச் செல்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="19" />
        <source>Create New Folder</source>
        <translation>புதிய கோப்புறை உருவாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="20" />
        <source>Create a New Folder</source>
        <translation>ஒரு புதிய கோப்புறையை உருவாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="21" />
        <source>List View</source>
        <translation>பட்டியல் காட்சி</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="22" />
        <source>Change to list view mode</source>
        <translation>பட்டியல் காட்சிக்கு மாறு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="23" />
        <source>Detail View</source>
        <translation>விவரக் காட்சி</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="24" />
        <source>Change to detail view mode</source>
        <translation>விவரக் காட்சிக்கு மாறு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="25" />
        <source>Sidebar</source>
        <translation>பக்கப்பட்டி</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="26" />
        <source>List of places and bookmarks</source>
        <translation>இடங்களும் புத்தகக்குறிகளும்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="27" />
        <source>Files</source>
        <translation>கோப்புகள்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="28" />
        <source>Files of type:</source>
        <translation>கோப்பு வகை:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="29" />
        <source>Open</source>
        <translation>திற</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="30" />
        <source>File &amp;name:</source>
        <translation>கோப்புப் பெயர் (&amp;N):</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="31" />
        <source>&amp;Open</source>
        <translation>திற (&amp;O)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="32" />
        <source>&amp;Save</source>
        <translation>சேமி (&amp;S)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="33" />
        <source>Save As</source>
        <translation>இப்படிச் சேமி</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="34" />
        <source>All Files (*)</source>
        <translation>எல்லாக் கோப்புகளும் (*)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="35" />
        <source>&amp;Rename</source>
        <translation>பெயர் மாற்று (&amp;R)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="36" />
        <source>&amp;Delete</source>
        <translation>நீக்கு (&amp;D)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="37" />
        <source>Show &amp;hidden files</source>
        <translation>மறைந்த கோப்புகளைக் காட்டு (&amp;H)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="38" />
        <source>&amp;New Folder</source>
        <translation>புதிய கோப்புறை (&amp;N)</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="39" />
        <source>Computer</source>
        <translation>கணினி</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="40" />
        <source>Name</source>
        <translation>பெயர்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="41" />
        <source>Size</source>
        <translation>அளவு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="148" />
        <source>Type</source>
        <comment>All other platforms</comment>
        <translation>வகை</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="42" />
        <source>Date Modified</source>
        <translation>மாற்றிய நாள்</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="132" />
        <source>&amp;Undo</source>
        <translation>செயல்தவிர் (&amp;U)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="133" />
        <source>&amp;Redo</source>
        <translation>மீண்டும் செய் (&amp;R)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="134" />
        <source>Cu&amp;t</source>
        <translation>வெட்டு (&amp;T)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="135" />
        <source>&amp;Copy</source>
        <translation>நகலெடு (&amp;C)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="136" />
        <source>&amp;Paste</source>
        <translation>ஒட்டு (&amp;P)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="137" />
        <source>Delete</source>
        <translation>நீக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="138" />
        <source>Select All</source>
        <translation>அனைத்தையும் தேர்</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../../src/window/accessible_text.cpp" line="43" />
        <source>Document</source>
        <translation>ஆவணம்</translation>
    </message>
</context>
<context>
    <name>QPageSetupWidget</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="110" />
        <source>Paper</source>
        <translation>தாள்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="111" />
        <source>Page size:</source>
        <translation>பக்க அளவு:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="112" />
        <source>Width:</source>
        <translation>அகலம்:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="113" />
        <source>Height:</source>
        <translation>உயரம்:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="114" />
        <source>Paper source:</source>
        <translation>தாள் வரும் இடம்:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="115" />
        <source>Orientation</source>
        <translation>திசை</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="116" />
        <source>Portrait</source>
        <translation>நீளவாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="117" />
        <source>Landscape</source>
        <translation>அகலவாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="118" />
        <source>Reverse landscape</source>
        <translation>தலைகீழ் அகலவாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="119" />
        <source>Reverse portrait</source>
        <translation>தலைகீழ் நீளவாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="120" />
        <source>Margins</source>
        <translation>ஓரங்கள்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="121" />
        <source>top margin</source>
        <translation>மேல் ஓரம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="122" />
        <source>left margin</source>
        <translation>இடது ஓரம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="123" />
        <source>right margin</source>
        <translation>வலது ஓரம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="124" />
        <source>bottom margin</source>
        <translation>கீழ் ஓரம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="125" />
        <source>Page Layout</source>
        <translation>பக்க அமைவு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="126" />
        <source>Page order:</source>
        <translation>பக்க வரிசை:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="127" />
        <source>Pages per sheet:</source>
        <translation>ஒரு தாளில் பக்கங்கள்:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="128" />
        <source>Millimeters (mm)</source>
        <translation>மில்லிமீட்டர் (mm)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="129" />
        <source>Inches (in)</source>
        <translation>அங்குலம் (in)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="130" />
        <source>Points (pt)</source>
        <translation>புள்ளிகள் (pt)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="131" />
        <source>Custom</source>
        <translation>தனிப்பயன்</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <location filename="../../src/platform/translations.cpp" line="15" />
        <source>OK</source>
        <translation>சரி</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="15" />
        <source>&amp;Yes</source>
        <translation>ஆம் (&amp;Y)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="16" />
        <source>&amp;No</source>
        <translation>இல்லை (&amp;N)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="16" />
        <source>Cancel</source>
        <translation>இரத்து</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="44" />
        <source>Open</source>
        <translation>திற</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="45" />
        <source>Save</source>
        <translation>சேமி</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="46" />
        <source>Print</source>
        <translation>அச்சிடு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="47" />
        <source>All Pages</source>
        <translation>எல்லாப் பக்கங்களும்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="48" />
        <source>Odd Pages</source>
        <translation>ஒற்றைப்படைப் பக்கங்கள்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="49" />
        <source>Even Pages</source>
        <translation>இரட்டைப்படைப் பக்கங்கள்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="50" />
        <source>&amp;Options &gt;&gt;</source>
        <translation>விருப்பங்கள் (&amp;O) &gt;&gt;</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="51" />
        <source>&amp;Options &lt;&lt;</source>
        <translation>விருப்பங்கள் (&amp;O) &lt;&lt;</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="52" />
        <source>&amp;Print</source>
        <translation>அச்சிடு (&amp;P)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="53" />
        <source>Print to File (PDF)</source>
        <translation>கோப்பில் அச்சிடு (PDF)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="54" />
        <source>Local file</source>
        <translation>இக்கணினியில் கோப்பு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="55" />
        <source>Write PDF file</source>
        <translation>PDF கோப்பை எழுது</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="56" />
        <source>Left to Right, Top to Bottom</source>
        <translation>இடமிருந்து வலம், மேலிருந்து கீழ்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="57" />
        <source>Left to Right, Bottom to Top</source>
        <translation>இடமிருந்து வலம், கீழிருந்து மேல்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="58" />
        <source>Right to Left, Bottom to Top</source>
        <translation>வலமிருந்து இடம், கீழிருந்து மேல்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="59" />
        <source>Right to Left, Top to Bottom</source>
        <translation>வலமிருந்து இடம், மேலிருந்து கீழ்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="60" />
        <source>Bottom to Top, Left to Right</source>
        <translation>கீழிருந்து மேல், இடமிருந்து வலம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="61" />
        <source>Bottom to Top, Right to Left</source>
        <translation>கீழிருந்து மேல், வலமிருந்து இடம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="62" />
        <source>Top to Bottom, Left to Right</source>
        <translation>மேலிருந்து கீழ், இடமிருந்து வலம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="63" />
        <source>Top to Bottom, Right to Left</source>
        <translation>மேலிருந்து கீழ், வலமிருந்து இடம்</translation>
    </message>
</context>
<context>
    <name>QPrintPreviewDialog</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="93" />
        <source>Next page</source>
        <translation>அடுத்த பக்கம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="94" />
        <source>Previous page</source>
        <translation>முந்தைய பக்கம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="95" />
        <source>First page</source>
        <translation>முதல் பக்கம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="96" />
        <source>Last page</source>
        <translation>கடைசிப் பக்கம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="97" />
        <source>Fit width</source>
        <translation>அகலத்துக்குப் பொருத்து</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="98" />
        <source>Fit page</source>
        <translation>பக்கத்துக்குப் பொருத்து</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="99" />
        <source>Zoom in</source>
        <translation>பெரிதாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="100" />
        <source>Zoom out</source>
        <translation>சிறிதாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="101" />
        <source>Portrait</source>
        <translation>நீளவாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="102" />
        <source>Landscape</source>
        <translation>அகலவாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="103" />
        <source>Show single page</source>
        <translation>ஒரு பக்கம் காட்டு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="104" />
        <source>Show facing pages</source>
        <translation>எதிர்ப் பக்கங்களைக் காட்டு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="105" />
        <source>Show overview of all pages</source>
        <translation>எல்லாப் பக்கங்களின் மேல்நோக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="106" />
        <source>Print</source>
        <translation>அச்சிடு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="107" />
        <source>Page setup</source>
        <translation>பக்க அமைப்பு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="108" />
        <source>Print Preview</source>
        <translation>அச்சு முன்தோற்றம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="109" />
        <source>Page Setup</source>
        <translation>பக்க அமைப்பு</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="71" />
        <source>Print range</source>
        <translation>அச்சிட வேண்டியவை</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="72" />
        <source>Print all</source>
        <translation>எல்லாம் அச்சிடு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="73" />
        <source>Pages from</source>
        <translation>பக்கங்கள்: இதிலிருந்து</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="74" />
        <source>to</source>
        <translation>வரை</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="75" />
        <source>Pages</source>
        <translation>பக்கங்கள்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="76" />
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>பக்கங்களை அல்லது வரம்புகளைக் காற்புள்ளியால் பிரித்துத் தருக. ஒரு வரம்பு இரு எண்களுக்கு நடுவே சிறுகோடு. எ.கா: 3,5-7,9 என்றால் 3, 5, 6, 7, 9 ஆம் பக்கங்கள் அச்சாகும்.</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="77" />
        <source>Current Page</source>
        <translation>இப்போதைய பக்கம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="78" />
        <source>Selection</source>
        <translation>தேர்ந்தெடுத்தது</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="79" />
        <source>Page Set:</source>
        <translation>பக்கத் தொகுப்பு:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="80" />
        <source>Output Settings</source>
        <translation>வெளியீட்டு அமைப்புகள்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="81" />
        <source>Copies:</source>
        <translation>படிகள்:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="82" />
        <source>Collate</source>
        <translation>வரிசைப்படுத்து</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="83" />
        <source>Reverse</source>
        <translation>தலைகீழ் வரிசை</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="84" />
        <source>Copies</source>
        <translation>படிகள்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="85" />
        <source>Color Mode</source>
        <translation>வண்ண முறை</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="86" />
        <source>Color</source>
        <translation>வண்ணம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="87" />
        <source>Grayscale</source>
        <translation>சாம்பல் நிறம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="88" />
        <source>Double Sided Printing</source>
        <translation>இருபக்க அச்சு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="89" />
        <source>Off</source>
        <translation>இல்லை</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="90" />
        <source>Long side binding</source>
        <translation>நீளப் பக்கக் கட்டு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="91" />
        <source>Short side binding</source>
        <translation>குறுகிய பக்கக் கட்டு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="92" />
        <source>Options</source>
        <translation>விருப்பங்கள்</translation>
    </message>
</context>
<context>
    <name>QPrintWidget</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="64" />
        <source>Printer</source>
        <translation>அச்சுப்பொறி</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="65" />
        <source>&amp;Name:</source>
        <translation>பெயர் (&amp;N):</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="66" />
        <source>P&amp;roperties</source>
        <translation>பண்புகள் (&amp;R)</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="67" />
        <source>Location:</source>
        <translation>இடம்:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="68" />
        <source>Preview</source>
        <translation>முன்தோற்றம்</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="69" />
        <source>Type:</source>
        <translation>வகை:</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="70" />
        <source>Output &amp;file:</source>
        <translation>வெளியீட்டுக் கோப்பு (&amp;F):</translation>
    </message>
</context>
<context>
    <name>QTabBar</name>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="139" />
        <source>Scroll Left</source>
        <translation>இடப்புறம் உருட்டு</translation>
    </message>
    <message>
        <location filename="../../src/platform/qt_dialog_words.cpp" line="140" />
        <source>Scroll Right</source>
        <translation>வலப்புறம் உருட்டு</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <location filename="../../src/platform/translations.cpp" line="17" />
        <source>&amp;Undo</source>
        <translation>செயல்தவிர் (&amp;U)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="17" />
        <source>&amp;Redo</source>
        <translation>மீண்டும் செய் (&amp;R)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="18" />
        <source>Cu&amp;t</source>
        <translation>வெட்டு (&amp;T)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="18" />
        <source>&amp;Copy</source>
        <translation>நகலெடு (&amp;C)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="19" />
        <source>&amp;Paste</source>
        <translation>ஒட்டு (&amp;P)</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="19" />
        <source>Delete</source>
        <translation>நீக்கு</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="20" />
        <source>Select All</source>
        <translation>அனைத்தையும் தேர்</translation>
    </message>
</context>
<context>
    <name>Titles</name>
    <message>
        <location filename="../../src/platform/translations.cpp" line="22" />
        <source>Export as Unicode</source>
        <translation>யூனிகோடாக ஏற்றுமதி</translation>
    </message>
    <message>
        <location filename="../../src/platform/translations.cpp" line="22" />
        <source>Export as PDF</source>
        <translation>PDF ஆக ஏற்றுமதி</translation>
    </message>
</context>
<context>
    <name>orvane::Editor</name>
    <message>
        <location filename="../../src/window/editor.cpp" line="208" />
        <source>Opening the document...</source>
        <translation>ஆவணம் திறக்கப்படுகிறது...</translation>
    </message>
    <message>
        <location filename="../../src/window/editor.cpp" line="208" />
        <source>Stop</source>
        <translation>நிறுத்து</translation>
    </message>
    <message>
        <location filename="../../src/window/editor.cpp" line="323" />
        <source>Nothing is typed yet: a vowel on its own takes a vowel key now (a, then a again, gives அ).</source>
        <translation>இன்னும் எதுவும் தட்டச்சாகவில்லை: தனி உயிரெழுத்துக்கு இப்போது உயிர் விசையை அழுத்தவும் (a, மீண்டும் a: அ).</translation>
    </message>
    <message>
        <location filename="../../src/window/editor.cpp" line="480" />
        <source>Go to Line</source>
        <translation>வரிக்குச் செல்</translation>
    </message>
    <message>
        <location filename="../../src/window/editor.cpp" line="481" />
        <source>Line (1 to %1):</source>
        <translation>வரி (1 முதல் %1 வரை):</translation>
    </message>
</context>
<context>
    <name>orvane::FindBar</name>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="68" />
        <source>Match case</source>
        <translation>ஆங்கிலப் பெரிய, சிறிய எழுத்து பொருந்த</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="69" />
        <source>Whole words</source>
        <translation>முழுச் சொற்கள்</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="44" />
        <source>Find:</source>
        <translation>தேடு:</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="48" />
        <source>Previous</source>
        <translation>முந்தையது</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="49" />
        <source>Next</source>
        <translation>அடுத்தது</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="70" />
        <source>Close</source>
        <translation>மூடு</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="74" />
        <source>Replace with:</source>
        <translation>இதனால் மாற்று:</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="78" />
        <source>&amp;Replace</source>
        <translation>மாற்று (&amp;R)</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="79" />
        <source>Replace A&amp;ll</source>
        <translation>எல்லாம் மாற்று (&amp;L)</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="93" />
        <location filename="../../src/window/find_bar.cpp" line="218" />
        <location filename="../../src/window/find_bar.cpp" line="335" />
        <source>%1 of %2</source>
        <translation>%2 இல் %1</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="94" />
        <location filename="../../src/window/find_bar.cpp" line="209" />
        <location filename="../../src/window/find_bar.cpp" line="335" />
        <source>No match</source>
        <translation>பொருத்தம் இல்லை</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="95" />
        <location filename="../../src/window/find_bar.cpp" line="239" />
        <source>Went on from the top</source>
        <translation>மேலிருந்து தொடர்ந்தது</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="96" />
        <location filename="../../src/window/find_bar.cpp" line="239" />
        <source>Went on from the end</source>
        <translation>கீழிருந்து தொடர்ந்தது</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="97" />
        <location filename="../../src/window/find_bar.cpp" line="336" />
        <source>Replaced %1</source>
        <translation>மாற்றியவை: %1</translation>
    </message>
    <message>
        <location filename="../../src/window/find_bar.cpp" line="288" />
        <source>Replacing...</source>
        <translation>மாற்றப்படுகிறது...</translation>
    </message>
</context>
<context>
    <name>orvane::Form1</name>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="51" />
        <source>&amp;File</source>
        <translation>கோப்பு (&amp;F)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="53" />
        <source>&amp;New</source>
        <translation>புதியது (&amp;N)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="54" />
        <source>&amp;Open</source>
        <translation>திற (&amp;O)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="55" />
        <source>&amp;Save</source>
        <translation>சேமி (&amp;S)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="56" />
        <source>Save &amp;As</source>
        <translation>வேறு பெயரில் சேமி (&amp;A)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="57" />
        <source>Export as &amp;Unicode...</source>
        <translation>யூனிகோடாக ஏற்றுமதி (&amp;U)...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="58" />
        <source>Export as P&amp;DF...</source>
        <translation>PDF ஆக ஏற்றுமதி (&amp;D)...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="59" />
        <source>Conver&amp;t Document...</source>
        <translation>ஆவணத்தை மாற்று (&amp;T)...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="60" />
        <source>&amp;Print...</source>
        <translation>அச்சிடு (&amp;P)...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="61" />
        <source>Print Pre&amp;view...</source>
        <translation>அச்சு முன்னோட்டம் (&amp;V)...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="62" />
        <source>&amp;Recent Documents</source>
        <translation>அண்மைய ஆவணங்கள் (&amp;R)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="65" />
        <source>E&amp;xit</source>
        <translation>வெளியேறு (&amp;X)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="67" />
        <source>&amp;Edit</source>
        <translation>திருத்து (&amp;E)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="69" />
        <source>&amp;Copy</source>
        <translation>நகலெடு (&amp;C)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="70" />
        <source>&amp;Cu&amp;t</source>
        <translation>வெட்டு (&amp;T)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="71" />
        <source>&amp;Paste</source>
        <translation>ஒட்டு (&amp;P)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="72" />
        <source>Copy as &amp;Unicode</source>
        <translation>யூனிகோடாக நகலெடு (&amp;U)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="74" />
        <source>U&amp;ndo</source>
        <translation>செயல்தவிர் (&amp;N)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="75" />
        <source>&amp;Redo</source>
        <translation>மீண்டும் செய் (&amp;R)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="81" />
        <source>Select &amp;All</source>
        <translation>அனைத்தையும் தேர் (&amp;A)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="83" />
        <source>&amp;Find...</source>
        <translation>தேடு (&amp;F)...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="84" />
        <source>Find Next</source>
        <translation>அடுத்ததைத் தேடு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="85" />
        <source>Find Previous</source>
        <translation>முந்தையதைத் தேடு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="86" />
        <source>R&amp;eplace...</source>
        <translation>மாற்றியமை (&amp;E)...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="87" />
        <source>&amp;Go to Line...</source>
        <translation>வரிக்குச் செல் (&amp;G)...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="88" />
        <source>&amp;Word Count...</source>
        <translation>சொல் எண்ணிக்கை (&amp;W)...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="90" />
        <source>Paste as Eng&amp;lish</source>
        <translation>ஆங்கிலமாக ஒட்டு (&amp;L)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="96" />
        <source>Type Engl&amp;ish</source>
        <translation>ஆங்கிலம் தட்டச்சிடு (&amp;I)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="91" />
        <source>Paste as &amp;Bamini</source>
        <translation>பாமினியாக ஒட்டு (&amp;B)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="92" />
        <source>&amp;Keep English as English</source>
        <translation>ஆங்கிலத்தை ஆங்கிலமாக வை (&amp;K)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="102" />
        <source>&amp;Typing</source>
        <translation>தட்டச்சு முறை (&amp;Y)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="111" />
        <source>Zoom In</source>
        <translation>பெரிதாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="112" />
        <source>Zoom Out</source>
        <translation>சிறிதாக்கு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="114" />
        <source>Save As</source>
        <translation>வேறு பெயரில் சேமி</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="115" />
        <source>Exit</source>
        <translation>வெளியேறு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="118" />
        <source>&amp;About</source>
        <translation>பற்றி (&amp;B)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="120" />
        <source>&amp;Program</source>
        <translation>நிரல் (&amp;P)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="121" />
        <source>Programmer</source>
        <translation>நிரலாளர்</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="122" />
        <source>&amp;Keyboard</source>
        <translation>விசைப்பலகை (&amp;K)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="164" />
        <source>New File</source>
        <translation>புதிய கோப்பு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="165" />
        <source>Open Document</source>
        <translation>ஆவணத்தைத் திற</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="166" />
        <source>Save the Document</source>
        <translation>ஆவணத்தைச் சேமி</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="168" />
        <source>Cut</source>
        <translation>வெட்டு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="169" />
        <source>Copy the Selection</source>
        <translation>தேர்ந்தெடுத்ததை நகலெடு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="170" />
        <source>Paste from Clipboard</source>
        <translation>இடைநினைவகத்திலிருந்து ஒட்டு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="175" />
        <source>Increase Font Size</source>
        <translation>எழுத்தின் அளவைக் கூட்டு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="176" />
        <source>Decrease Font Size</source>
        <translation>எழுத்தின் அளவைக் குறை</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="181" />
        <source>Type English (F12); again for Tamil</source>
        <translation>ஆங்கிலம் தட்டச்சிடு (F12); மீண்டும் அழுத்தினால் தமிழ்</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="192" />
        <source>The keyboard Tamil is typed with</source>
        <translation>தமிழைத் தட்டச்சிடும் விசைப்பலகை</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="207" />
        <source>&amp;Phonetic</source>
        <translation>ஒலிப்பு (&amp;P)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="207" />
        <source>Phonetic</source>
        <translation>ஒலிப்பு</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="208" />
        <source>&amp;Tamil99</source>
        <translation>தமிழ்99 (&amp;T)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="208" />
        <source>Tamil99</source>
        <translation>தமிழ்99</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="209" />
        <source>&amp;Bamini typewriter</source>
        <translation>பாமினி தட்டச்சுப்பொறி (&amp;B)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="209" />
        <source>Bamini</source>
        <translation>பாமினி</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="210" />
        <source>&amp;English</source>
        <translation>ஆங்கிலம் (&amp;E)</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_print.cpp" line="87" />
        <source>Making the PDF...</source>
        <translation>PDF உருவாகிறது...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_print.cpp" line="87" />
        <location filename="../../src/window/form1_print.cpp" line="139" />
        <source>Cancel</source>
        <translation>இரத்து</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_print.cpp" line="139" />
        <source>Printing...</source>
        <translation>அச்சிடப்படுகிறது...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_layout.cpp" line="210" />
        <source>English</source>
        <translation>ஆங்கிலம்</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_convert.cpp" line="121" />
        <source>Converting the document...</source>
        <translation>ஆவணம் மாற்றப்படுகிறது...</translation>
    </message>
    <message>
        <location filename="../../src/window/form1_convert.cpp" line="121" />
        <source>Stop</source>
        <translation>நிறுத்து</translation>
    </message>
    <message>
        <location filename="../../src/window/form1.cpp" line="71" />
        <location filename="../../src/window/form1.cpp" line="167" />
        <source>Ln %1, Col %2</source>
        <translation>வரி %1, நிரல் %2</translation>
    </message>
    <message>
        <location filename="../../src/window/form1.cpp" line="72" />
        <location filename="../../src/window/form1.cpp" line="75" />
        <source>Unsaved</source>
        <translation>மாற்றம்</translation>
    </message>
</context>
<context>
    <name>orvane::FrmMe</name>
    <message>
        <location filename="../../src/about/about_windows.cpp" line="90" />
        <source>About Programmer</source>
        <translation>நிரலாளரைப் பற்றி</translation>
    </message>
    <message>
        <location filename="../../src/about/about_windows.cpp" line="92" />
        <source>The Orvane developers</source>
        <translation>Orvane உருவாக்குநர்கள்</translation>
    </message>
    <message>
        <location filename="../../src/about/about_windows.cpp" line="95" />
        <source>OK</source>
        <translation>சரி</translation>
    </message>
</context>
<context>
    <name>orvane::FrmProg</name>
    <message>
        <location filename="../../src/about/about_windows.cpp" line="61" />
        <source>About Program</source>
        <translation>நிரலைப் பற்றி</translation>
    </message>
    <message>
        <location filename="../../src/about/about_windows.cpp" line="63" />
        <source>Application Name</source>
        <translation>நிரலின் பெயர்</translation>
    </message>
    <message>
        <location filename="../../src/about/about_windows.cpp" line="65" />
        <source>Version</source>
        <translation>பதிப்பு</translation>
    </message>
    <message>
        <location filename="../../src/about/about_windows.cpp" line="69" />
        <source>OK</source>
        <translation>சரி</translation>
    </message>
</context>
<context>
    <name>orvane::KeyboardMap</name>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="60" />
        <source>Keyboard</source>
        <translation>விசைப்பலகை</translation>
    </message>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="83" />
        <source>Shift</source>
        <translation>ஷிஃப்ட்</translation>
    </message>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="90" />
        <source>space</source>
        <translation>இடைவெளி</translation>
    </message>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="138" />
        <source>English: every key types its own letter. F12 turns Tamil typing on again.</source>
        <translation>ஆங்கிலம்: ஒவ்வொரு விசையும் தன் எழுத்தையே தட்டச்சிடும். F12 மீண்டும் தமிழ்த் தட்டச்சை இயக்கும்.</translation>
    </message>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="140" />
        <source>Bamini typewriter: every key types the letter the Bamini font draws for it.</source>
        <translation>பாமினி தட்டச்சுப்பொறி: ஒவ்வொரு விசையும் பாமினி எழுத்துரு அதற்கு வரையும் எழுத்தைத் தட்டச்சிடும்.</translation>
    </message>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="142" />
        <source>Tamil99: a vowel key now joins %1; f gives its pulli; the same consonant again, or its hard pair, puts the pulli on it.</source>
        <translation>தமிழ்99: இப்போது ஓர் உயிர் விசை %1 உடன் சேரும்; f அதற்குப் புள்ளி இடும்; அதே மெய் மீண்டும், அல்லது அதன் இன வல்லினம், அதன் மேல் புள்ளி இடும்.</translation>
    </message>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="146" />
        <source>Tamil99: a consonant key, then a vowel key, makes the syllable; f is the pulli, Shift with F ஃ, with Q W E R T Y the Grantha letters.</source>
        <translation>தமிழ்99: ஒரு மெய் விசை, பிறகு ஓர் உயிர் விசை, உயிர்மெய் ஆகும்; f புள்ளி, Shift உடன் F ஃ, Q W E R T Y உடன் கிரந்த எழுத்துகள்.</translation>
    </message>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="152" />
        <source>Nothing is typed yet: a vowel key now gives the vowel on its own (a, then a again: அ).</source>
        <translation>இன்னும் எதுவும் தட்டச்சாகவில்லை: இப்போது ஓர் உயிர் விசை தனி உயிரெழுத்தைத் தரும் (a, மீண்டும் a: அ).</translation>
    </message>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="154" />
        <source>Now a vowel key, to go with %1:</source>
        <translation>இப்போது %1 உடன் சேர ஓர் உயிர் விசை:</translation>
    </message>
    <message>
        <location filename="../../src/window/keyboard_map.cpp" line="157" />
        <source>Type a consonant key, then a vowel key. A key that is no consonant, then a vowel key, gives a vowel letter.</source>
        <translation>முதலில் ஒரு மெய் விசை, பிறகு ஓர் உயிர் விசை. மெய் அல்லாத ஒரு விசையை அழுத்தி, பிறகு உயிர் விசையை அழுத்தினால் உயிரெழுத்து கிடைக்கும்.</translation>
    </message>
</context>
<context>
    <name>orvane::TextBox</name>
    <message>
        <location filename="../../src/window/text_box.cpp" line="926" />
        <source>U&amp;ndo</source>
        <translation>செயல்தவிர் (&amp;N)</translation>
    </message>
</context>
</TS>