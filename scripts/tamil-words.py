#!/usr/bin/python3
"""Writes the Tamil of every string into resources/translations/orvane_ta.ts (made by lupdate):
the translations are kept here, in one table, so that a new lupdate run never loses them.
Run it after `lupdate src -ts resources/translations/orvane_ta.ts -no-obsolete`; it fails
when a string has no Tamil."""

import sys
import xml.etree.ElementTree as ET
from pathlib import Path

TAMIL = {
    ("Filters", "Tamil Text File  (*.tam)"): "தமிழ் உரைக் கோப்பு (*.tam)",
    ("Filters", "All Files (*)"): "எல்லாக் கோப்புகளும் (*)",
    ("Filters", "Unicode Text File (*.txt)"): "யூனிகோட் உரைக் கோப்பு (*.txt)",
    ("Filters", "Unicode Tamil text (*.txt)"): "யூனிகோட் தமிழ் உரை (*.txt)",
    ("Filters", "PDF document (*.pdf)"): "PDF ஆவணம் (*.pdf)",
    ("Filters", "All documents (*.tam *.txt *.docx *.odt *.rtf *.pdf)"): "எல்லா ஆவணங்களும் (*.tam *.txt *.docx *.odt *.rtf *.pdf)",
    ("Messages", "it is a folder"): "அது ஒரு கோப்புறை",
    ("Messages", "it is not a regular file"): "அது வழக்கமான கோப்பு அல்ல",
    ("Messages", "it is larger than %1 MB"): "அது %1 MB-ஐ விடப் பெரியது",
    ("Messages", "it changed while it was read"): "படிக்கும்போதே அது மாறியது",
    ("Messages", "it is cut short"): "அது இடையில் துண்டிக்கப்பட்டுள்ளது",
    ("Messages", "it is damaged"): "அது சிதைந்துள்ளது",
    ("Messages", "it is not an Orvane recovery file"): "அது Orvane மீட்புக் கோப்பு அல்ல",
    ("Messages", "it is not a folder"): "அது கோப்புறை அல்ல",
    ("Messages", "OUTPUT is the same file; name another"): "OUTPUT அதே கோப்பு; வேறொன்றைப் பெயரிடவும்",
    ("Messages", "it looks like a PDF document, but it cannot be read (damaged?)"):
        "அது PDF ஆவணம் போலத் தெரிகிறது, ஆனால் அதைப் படிக்க முடியவில்லை (சிதைந்ததா?)",
    ("Messages", "it is locked with a password"): "அது கடவுச்சொல்லால் பூட்டப்பட்டுள்ளது",
    ("Messages", "PDFs cannot be read here: %1"): "இங்கே PDF-களைப் படிக்க முடியாது: %1",
    ("Messages", "word-processor documents cannot be read or written here: %1"):
        "இங்கே சொல் செயலி ஆவணங்களைப் படிக்கவோ எழுதவோ முடியாது: %1",
    ("Messages", "it looks like %1, not text"): "அது உரையல்ல, %1 போலத் தெரிகிறது",
    ("Messages", "it would be larger than %1 MB (--large writes it all the same)"):
        "அது %1 MB-ஐ விடப் பெரிதாகும் (--large அதை அப்படியும் எழுதும்)",
    ("Messages", "it would be larger than %1 MB, which the editor does not open (--large writes it all the same)"):
        "அது %1 MB-ஐ விடப் பெரிதாகும்; அதை Orvane திறக்காது (--large அதை அப்படியும் எழுதும்)",
    ("Messages", "there is not enough memory"): "போதுமான நினைவகம் இல்லை",
    ("Messages", "%1 is a .tam file, which holds Tamil only: every byte of it is a Tamil letter in a "
                 "Bamini font.\n\nKeep the document as Unicode text from now on, so that the English "
                 "stays English? Saved, it becomes\n%2\n\nYes keeps it as Unicode text. No leaves the "
                 "English out."):
        "%1 ஒரு .tam கோப்பு; அது தமிழை மட்டுமே கொள்ளும்: பாமினி எழுத்துருவில் அதன் ஒவ்வொரு பைட்டும் ஒரு "
        "தமிழ் எழுத்து.\n\nஆங்கிலம் ஆங்கிலமாகவே இருக்க, இனி ஆவணத்தை யூனிகோட் உரையாக வைத்திருக்க "
        "வேண்டுமா? சேமித்தால் அது இதுவாகும்:\n%2\n\nஆம் என்றால் யூனிகோட் உரையாக வைக்கும். இல்லை "
        "என்றால் ஆங்கிலத்தை விட்டுவிடும்.",
    ("Messages", "%1\nis a .tam file, which holds Tamil only. The English in the document will be left "
                 "out of it, and out of the document.\n\nSave it so?"):
        "%1\nஒரு .tam கோப்பு; அது தமிழை மட்டுமே கொள்ளும். ஆவணத்தில் உள்ள ஆங்கிலம் கோப்பிலிருந்தும் "
        "ஆவணத்திலிருந்தும் விடப்படும்.\n\nஅப்படியே சேமிக்க வேண்டுமா?",
    ("Messages", "it was written by a newer Orvane"): "அதை Orvane-இன் புதிய பதிப்பு எழுதியது",
    ("Messages", "it has more than %1 lines"): "அதில் %1-க்கும் மேற்பட்ட வரிகள் உள்ளன",
    ("Messages", "it belongs to another user"): "அது வேறொரு பயனருக்குச் சொந்தமானது",
    ("Messages", "it is inside a folder that other users may change"):
        "பிற பயனர்கள் மாற்றக்கூடிய ஒரு கோப்புறைக்குள் அது உள்ளது",
    ("Messages", "there is no home folder to keep it in"): "அதை வைக்க வீட்டுக் கோப்புறை இல்லை",
    ("Messages", "it is an old binary Word document (.doc); save it as .docx first"):
        "அது பழைய இருமநிலை Word ஆவணம் (.doc); முதலில் அதை .docx ஆகச் சேமிக்கவும்",
    ("Messages", "it is not a Word document (it has no word/document.xml)"):
        "அது Word ஆவணம் அல்ல (அதில் word/document.xml இல்லை)",
    ("Messages", "it is not an OpenDocument text (it has no content.xml)"):
        "அது OpenDocument உரை அல்ல (அதில் content.xml இல்லை)",
    ("Messages", "it is a zip archive but no Word or OpenDocument text (it has no word/document.xml)"):
        "அது ஒரு zip காப்பகம், ஆனால் Word அல்லது OpenDocument உரை அல்ல (அதில் word/document.xml இல்லை)",
    ("Messages", "it is not a readable zip archive (%1)"): "அது படிக்கக்கூடிய zip காப்பகம் அல்ல (%1)",
    ("Messages", "it is a zip archive that cannot be read as a document: %1"):
        "அது ஒரு zip காப்பகம், ஆனால் ஆவணமாகப் படிக்க இயலாது: %1",
    ("Messages", "it is encrypted; save it without a password first"):
        "அது மறையாக்கப்பட்டுள்ளது; முதலில் கடவுச்சொல் இன்றி அதைச் சேமிக்கவும்",
    ("Messages", "it is damaged (\\bin runs past its end)"): "அது சிதைந்துள்ளது (\\bin அதன் முடிவைத் தாண்டுகிறது)",
    ("Messages", "The unsaved text of %1 could not be restored: %2.\n\nIt is kept, as it was, in\n%3"):
        "%1 இன் சேமிக்கப்படாத உரையை மீட்க இயலவில்லை: %2.\n\nஅது அப்படியே இங்கு வைக்கப்பட்டுள்ளது:\n%3",
    ("Messages", "Saved, %1 would have %2 lines, more than the %3 Orvane opens: "
                 "Orvane could not open it again.\n\nSave it anyway?"):
        "சேமித்தால் %1 இல் %2 வரிகள் இருக்கும்; அது Orvane திறக்கும் %3-ஐ விட அதிகம்: "
        "Orvane-ஆல் அதை மீண்டும் திறக்க இயலாது.\n\nஇருந்தாலும் சேமிக்க வேண்டுமா?",
    ("Messages", "Open"): "திற",
    ("Messages", "Export"): "ஏற்றுமதி",
    ("Messages", "Recovery"): "மீட்பு",
    ("Messages", "Paste"): "ஒட்டு",
    ("Messages", "Word Count"): "சொல் எண்ணிக்கை",
    ("Messages", "Save"): "சேமி",
    ("Messages", "Type English"): "ஆங்கிலம் தட்டச்சிடு",
    ("Titles", "Export as Unicode"): "யூனிகோடாக ஏற்றுமதி",
    ("Titles", "Export as PDF"): "PDF ஆக ஏற்றுமதி",
    ("Messages", "You have not saved the Document.  Do you want to save it now"):
        "நீங்கள் ஆவணத்தைச் சேமிக்கவில்லை.  இப்போது சேமிக்க வேண்டுமா",
    ("Messages", "The document could not be saved to\n%1\n\n%2.\n\nYour text is still here with its changes. "
                 "Save it somewhere else."):
        "ஆவணத்தை இங்கு சேமிக்க இயலவில்லை:\n%1\n\n%2.\n\nஉங்கள் உரை அதன் மாற்றங்களுடன் இங்கேயே உள்ளது. "
        "வேறு இடத்தில் சேமியுங்கள்.",
    ("Messages", "The file\n%1\ncould not be opened: %2."): "இந்தக் கோப்பைத் திறக்க இயலவில்லை:\n%1\n%2.",
    ("Messages", "The Unicode text could not be written to\n%1\n\n%2."):
        "யூனிகோட் உரையை இங்கு எழுத இயலவில்லை:\n%1\n\n%2.",
    ("Messages", "The PDF could not be written to\n%1\n\n%2."): "PDF-ஐ இங்கு எழுத இயலவில்லை:\n%1\n\n%2.",
    ("Messages", "Printing and PDF export are not available: %1."): "அச்சிடவோ PDF ஆக ஏற்றுமதி செய்யவோ இயலாது: %1.",
    ("Messages", "Print"): "அச்சிடு",
    ("Messages", "%1\nalready exists. Do you want to replace it?"):
        "%1\nஏற்கனவே உள்ளது. அதன் மேல் எழுத வேண்டுமா?",
    ("Messages", "Another program has changed\n%1\nsince Orvane opened or saved it.\n\nSave over those changes?"):
        "Orvane திறந்த அல்லது சேமித்த பிறகு வேறொரு நிரல் இதை மாற்றியுள்ளது:\n%1\n\n"
        "அந்த மாற்றங்களின் மேல் சேமிக்க வேண்டுமா?",
    ("Messages", "%1\nis no longer the file Orvane opened: another program has replaced or moved it.\n\n"
                 "Save your text under this name anyway?"):
        "%1\nஇப்போது Orvane திறந்த கோப்பு அல்ல: வேறொரு நிரல் அதை மாற்றியுள்ளது அல்லது நகர்த்தியுள்ளது.\n\n"
        "இருந்தாலும் உங்கள் உரையை இந்தப் பெயரில் சேமிக்க வேண்டுமா?",
    ("Messages", "Another program has changed\n%1\n\nLoad the new version?"):
        "வேறொரு நிரல் இதை மாற்றியுள்ளது:\n%1\n\nபுதிய பதிப்பை ஏற்ற வேண்டுமா?",
    ("Messages", "The file\n%1\nno longer exists: the text in Orvane is the only copy.\n\nSave it now?"):
        "இந்தக் கோப்பு இப்போது இல்லை:\n%1\nOrvane-இல் உள்ள உரையே ஒரே படி.\n\nஇப்போது சேமிக்க வேண்டுமா?",
    ("Messages", "Saved, %1 would be a file of %2 MB, larger than the %3 MB Orvane opens: "
                 "Orvane could not open it again.\n\nSave it anyway?"):
        "சேமித்தால் %1 என்பது %2 MB கோப்பாகும்; அது Orvane திறக்கும் %3 MB-ஐ விடப் பெரியது: "
        "Orvane-ஆல் அதை மீண்டும் திறக்க இயலாது.\n\nஇருந்தாலும் சேமிக்க வேண்டுமா?",
    ("Messages", "%1\nhas other names (hard links): %2.\n\nYes writes into the file itself, so that every name "
                 "shows the new text. No saves a new file under this name only."):
        "%1\nக்கு வேறு பெயர்களும் உள்ளன (வன் இணைப்புகள்): %2.\n\n‘ஆம்’ என்றால் அந்தக் கோப்பிலேயே "
        "எழுதப்படும்; அதன் எல்லாப் பெயர்களிலும் புதிய உரை தெரியும். ‘இல்லை’ என்றால் இந்தப் பெயருக்கு மட்டும் "
        "புதிய கோப்பு சேமிக்கப்படும்.",
    ("Messages", "The name\n%1\ncannot be used: it holds bytes that could not be read as text. "
                 "Choose another name."):
        "இந்தப் பெயரைப் பயன்படுத்த இயலாது:\n%1\nஉரையாகப் படிக்க முடியாத பைட்டுகள் அதில் உள்ளன. "
        "வேறு பெயரைத் தேர்ந்தெடுங்கள்.",
    ("Messages", "Orvane closed before %1 was saved. Restore the unsaved text?"):
        "%1 சேமிக்கப்படுவதற்கு முன்பே Orvane மூடப்பட்டது. சேமிக்கப்படாத உரையை மீட்க வேண்டுமா?",
    ("Messages", "The unsaved text of %1 will be deleted for good.\n\nDelete it?"):
        "%1 இன் சேமிக்கப்படாத உரை நிரந்தரமாக நீக்கப்படும்.\n\nநீக்க வேண்டுமா?",
    ("Messages", "Orvane cannot keep a recovery copy of your unsaved text in\n%1\n\n%2.\n\n"
                 "Until that is mended, save your work often."):
        "சேமிக்கப்படாத உங்கள் உரையின் மீட்புப் படியை Orvane-ஆல் இங்கு வைக்க இயலவில்லை:\n%1\n\n%2.\n\n"
        "இது சரிசெய்யப்படும் வரை அடிக்கடி சேமியுங்கள்.",
    ("Messages", "The recovery file of an earlier run\n%1\ncannot be read: %2. It was moved to\n%3"):
        "முந்தைய இயக்கத்தின் மீட்புக் கோப்பைப் படிக்க இயலவில்லை:\n%1\n%2. அது இங்கு நகர்த்தப்பட்டது:\n%3",
    ("Messages", "Only part of the last changes to %1 could be read back: %2. The text is restored as far as it "
                 "could be read; look it over before you save it."):
        "%1 இல் செய்த கடைசி மாற்றங்களில் ஒரு பகுதியை மட்டுமே மீண்டும் படிக்க முடிந்தது: %2. படிக்க முடிந்த "
        "வரை உரை மீட்கப்பட்டுள்ளது; சேமிக்கும் முன் அதைச் சரிபாருங்கள்.",
    ("Messages", "%1: its text, without formatting"): "%1: வடிவமைப்பின்றி உரை",
    ("Messages", "%1: Unicode text, kept as it is"): "%1: யூனிகோட் உரை, அப்படியே",
    ("Messages", "The Unicode text\n%1\nholds characters that a Tamil document cannot hold (%2 in all). They will be shown "
                 "as \"?\", and saving writes \"?\" in their place.\n\nOpen it anyway?"):
        "இந்த யூனிகோட் உரையில், தமிழ் ஆவணத்தில் வைக்க இயலாத எழுத்துக்குறிகள் உள்ளன (மொத்தம் %2):\n%1\n"
        "அவை \"?\" ஆகக் காட்டப்படும்; சேமித்தால் அவற்றின் இடத்தில் \"?\" எழுதப்படும்.\n\n"
        "இருந்தாலும் திறக்க வேண்டுமா?",
    ("Messages", "The Unicode text\n%1\nholds syllables that Bamini has no letter for (%2 in all: ஙு ஙூ ஞு ஞூ ஷு ஷூ). "
                 "They will be shown without their vowel sign, and saving writes them so.\n\nOpen it anyway?"):
        "இந்த யூனிகோட் உரையில், பாமினியில் எழுத்து இல்லாத உயிர்மெய்கள் உள்ளன (மொத்தம் %2: ஙு ஙூ ஞு ஞூ ஷு ஷூ):\n%1\n"
        "அவை உயிர்க்குறி இல்லாமல் காட்டப்படும்; சேமித்தாலும் அவ்வாறே எழுதப்படும்.\n\n"
        "இருந்தாலும் திறக்க வேண்டுமா?",
    ("Messages", "The file\n%1\nhas a paragraph of %2 KB without a line end. Orvane is slow to edit paragraphs "
                 "that long.\n\nOpen it anyway?"):
        "இந்தக் கோப்பில் வரி முடிவு இல்லாத %2 KB பத்தி ஒன்று உள்ளது:\n%1\nஇவ்வளவு நீளமான பத்திகளைத் "
        "திருத்துவதில் Orvane மெதுவாக இயங்கும்.\n\nஇருந்தாலும் திறக்க வேண்டுமா?",
    ("Messages", "The file\n%1\ncould not be opened: it has %2 lines, and Orvane holds at most %3."):
        "இந்தக் கோப்பைத் திறக்க இயலவில்லை:\n%1\nஅதில் %2 வரிகள் உள்ளன; Orvane அதிகபட்சம் %3 வரிகளையே தாங்கும்.",
    ("Messages", "The file\n%1\ncould not be opened: there is not enough memory for it."):
        "இந்தக் கோப்பைத் திறக்க இயலவில்லை:\n%1\nஅதற்குப் போதிய நினைவகம் இல்லை.",
    ("Messages", "Opening %1 stopped"): "%1 திறப்பது நின்றது",
    ("Messages", "The text could not be pasted: there is not enough memory for it."):
        "உரையை ஒட்ட இயலவில்லை: அதற்குப் போதிய நினைவகம் இல்லை.",
    ("Messages", "Counted in the whole document:\n\nWords: %1\nTamil letters: %2\nCharacters: %3\nLines: %4"):
        "முழு ஆவணத்திலும் எண்ணியவை:\n\nசொற்கள்: %1\nதமிழ் எழுத்துகள்: %2\nஎழுத்துக்குறிகள்: %3\nவரிகள்: %4",
    ("Messages", "Counted in the selection only:\n\nWords: %1\nTamil letters: %2\nCharacters: %3\nLines: %4"):
        "தேர்ந்தெடுத்த பகுதியில் மட்டும் எண்ணியவை:\n\nசொற்கள்: %1\nதமிழ் எழுத்துகள்: %2\nஎழுத்துக்குறிகள்: %3\nவரிகள்: %4",
    ("QObject", "Document"): "ஆவணம்",
    ("QPlatformTheme", "OK"): "சரி",
    ("QPlatformTheme", "&Yes"): "ஆம் (&Y)",
    ("QPlatformTheme", "&No"): "இல்லை (&N)",
    ("QPlatformTheme", "Cancel"): "இரத்து",
    ("QWidgetTextControl", "&Undo"): "செயல்தவிர் (&U)",
    ("QWidgetTextControl", "&Redo"): "மீண்டும் செய் (&R)",
    ("QWidgetTextControl", "Cu&t"): "வெட்டு (&T)",
    ("QWidgetTextControl", "&Copy"): "நகலெடு (&C)",
    ("QWidgetTextControl", "&Paste"): "ஒட்டு (&P)",
    ("QWidgetTextControl", "Delete"): "நீக்கு",
    ("QWidgetTextControl", "Select All"): "அனைத்தையும் தேர்",
    ("orvane::FindBar", "Find:"): "தேடு:",
    ("orvane::FindBar", "Previous"): "முந்தையது",
    ("orvane::FindBar", "Next"): "அடுத்தது",
    ("orvane::FindBar", "Match case"): "ஆங்கிலப் பெரிய, சிறிய எழுத்து பொருந்த",
    ("orvane::FindBar", "Whole words"): "முழுச் சொற்கள்",
    ("orvane::FindBar", "Close"): "மூடு",
    ("orvane::FindBar", "Replace with:"): "இதனால் மாற்று:",
    ("orvane::FindBar", "&Replace"): "மாற்று (&R)",
    ("orvane::FindBar", "Replace A&ll"): "எல்லாம் மாற்று (&L)",
    ("orvane::FindBar", "%1 of %2"): "%2 இல் %1",
    ("orvane::FindBar", "No match"): "பொருத்தம் இல்லை",
    ("orvane::FindBar", "Went on from the top"): "மேலிருந்து தொடர்ந்தது",
    ("orvane::FindBar", "Went on from the end"): "கீழிருந்து தொடர்ந்தது",
    ("orvane::FindBar", "Replaced %1"): "மாற்றியவை: %1",
    ("orvane::FindBar", "Replacing..."): "மாற்றப்படுகிறது...",
    ("orvane::Editor", "Go to Line"): "வரிக்குச் செல்",
    ("orvane::Editor", "Line (1 to %1):"): "வரி (1 முதல் %1 வரை):",
    ("orvane::Form1", "&File"): "கோப்பு (&F)",
    ("orvane::Form1", "&New"): "புதியது (&N)",
    ("orvane::Form1", "&Open"): "திற (&O)",
    ("orvane::Form1", "&Save"): "சேமி (&S)",
    ("orvane::Form1", "Save &As"): "வேறு பெயரில் சேமி (&A)",
    ("orvane::Form1", "Export as &Unicode..."): "யூனிகோடாக ஏற்றுமதி (&U)...",
    ("orvane::Form1", "Export as P&DF..."): "PDF ஆக ஏற்றுமதி (&D)...",
    ("orvane::Form1", "Conver&t Document..."): "ஆவணத்தை மாற்று (&T)...",
    ("orvane::Form1", "Converting the document..."): "ஆவணம் மாற்றப்படுகிறது...",
    ("orvane::Form1", "Stop"): "நிறுத்து",
    ("Messages", "Convert Document"): "ஆவணத்தை மாற்று",
    ("Messages", "Convert the Bamini text of\n%1\nto Unicode Tamil?\n\nNo converts its Unicode Tamil back to Bamini codes."): "%1\nஇல் உள்ள பாமினி உரையை யூனிகோட் தமிழாக மாற்றவா?\n\nஇல்லை என்றால், அதன் யூனிகோட் தமிழ் பாமினிக் குறியீடுகளாக மாற்றப்படும்.",
    ("Messages", "The document\n%1\ncould not be converted: %2."): "ஆவணம்\n%1\nமாற்றப்பட முடியவில்லை: %2.",
    ("Messages", "English words: %1 (see Edit)"): "ஆங்கிலச் சொற்கள்: %1 (திருத்து பட்டி)",
    ("Messages", "English kept: %1; saved as %2"): "ஆங்கிலம்: %1; சேமிப்பது %2",
    ("Messages", "No English words here"): "இங்கே ஆங்கிலச் சொல் இல்லை",
    ("orvane::Form1", "&Print..."): "அச்சிடு (&P)...",
    ("orvane::Form1", "Print Pre&view..."): "அச்சு முன்னோட்டம் (&V)...",
    ("orvane::Form1", "&Recent Documents"): "அண்மைய ஆவணங்கள் (&R)",
    ("orvane::Form1", "E&xit"): "வெளியேறு (&X)",
    ("orvane::Form1", "&Edit"): "திருத்து (&E)",
    ("orvane::Form1", "&Copy"): "நகலெடு (&C)",
    ("orvane::Form1", "&Cu&t"): "வெட்டு (&T)",
    ("orvane::Form1", "&Paste"): "ஒட்டு (&P)",
    ("orvane::Form1", "Copy as &Unicode"): "யூனிகோடாக நகலெடு (&U)",
    ("orvane::Form1", "U&ndo"): "செயல்தவிர் (&N)",
    ("orvane::TextBox", "U&ndo"): "செயல்தவிர் (&N)",
    ("orvane::Form1", "&Redo"): "மீண்டும் செய் (&R)",
    ("orvane::Form1", "Select &All"): "அனைத்தையும் தேர் (&A)",
    ("orvane::Form1", "&Find..."): "தேடு (&F)...",
    ("orvane::Form1", "Find Next"): "அடுத்ததைத் தேடு",
    ("orvane::Form1", "Find Previous"): "முந்தையதைத் தேடு",
    ("orvane::Form1", "R&eplace..."): "மாற்றியமை (&E)...",
    ("orvane::Form1", "&Go to Line..."): "வரிக்குச் செல் (&G)...",
    ("orvane::Form1", "&Word Count..."): "சொல் எண்ணிக்கை (&W)...",
    ("orvane::Form1", "Ln %1, Col %2"): "வரி %1, நிரல் %2",
    ("orvane::Form1", "Unsaved"): "மாற்றம்",
    ("orvane::Form1", "Paste as Eng&lish"): "ஆங்கிலமாக ஒட்டு (&L)",
    ("orvane::Form1", "Paste as &Bamini"): "பாமினியாக ஒட்டு (&B)",
    ("orvane::Form1", "&Keep English as English"): "ஆங்கிலத்தை ஆங்கிலமாக வை (&K)",
    ("orvane::Form1", "Type Engl&ish"): "ஆங்கிலம் தட்டச்சிடு (&I)",
    ("orvane::Form1", "Type English (F12); again for Tamil"): "ஆங்கிலம் தட்டச்சிடு (F12); மீண்டும் அழுத்தினால் தமிழ்",
    ("orvane::Form1", "English"): "ஆங்கிலம்",
    ("orvane::Form1", "&Typing"): "தட்டச்சு முறை (&Y)",
    ("orvane::Form1", "&Phonetic"): "ஒலிப்பு (&P)",
    ("orvane::Form1", "Phonetic"): "ஒலிப்பு",
    ("orvane::Form1", "&Tamil99"): "தமிழ்99 (&T)",
    ("orvane::Form1", "Tamil99"): "தமிழ்99",
    ("orvane::Form1", "&Bamini typewriter"): "பாமினி தட்டச்சுப்பொறி (&B)",
    ("orvane::Form1", "Bamini"): "பாமினி",
    ("orvane::Form1", "&English"): "ஆங்கிலம் (&E)",
    ("orvane::Form1", "The keyboard Tamil is typed with"): "தமிழைத் தட்டச்சிடும் விசைப்பலகை",
    ("orvane::KeyboardMap", "Bamini typewriter: every key types the letter the Bamini font draws for it."):
        "பாமினி தட்டச்சுப்பொறி: ஒவ்வொரு விசையும் பாமினி எழுத்துரு அதற்கு வரையும் எழுத்தைத் தட்டச்சிடும்.",
    ("orvane::KeyboardMap", "Tamil99: a vowel key now joins %1; f gives its pulli; the same consonant again, "
                            "or its hard pair, puts the pulli on it."):
        "தமிழ்99: இப்போது ஓர் உயிர் விசை %1 உடன் சேரும்; f அதற்குப் புள்ளி இடும்; அதே மெய் மீண்டும், "
        "அல்லது அதன் இன வல்லினம், அதன் மேல் புள்ளி இடும்.",
    ("orvane::KeyboardMap", "Tamil99: a consonant key, then a vowel key, makes the syllable; f is the pulli, "
                            "Shift with F ஃ, with Q W E R T Y the Grantha letters."):
        "தமிழ்99: ஒரு மெய் விசை, பிறகு ஓர் உயிர் விசை, உயிர்மெய் ஆகும்; f புள்ளி, "
        "Shift உடன் F ஃ, Q W E R T Y உடன் கிரந்த எழுத்துகள்.",
    ("orvane::KeyboardMap", "English: every key types its own letter. F12 turns Tamil typing on again."):
        "ஆங்கிலம்: ஒவ்வொரு விசையும் தன் எழுத்தையே தட்டச்சிடும். F12 மீண்டும் தமிழ்த் தட்டச்சை இயக்கும்.",
    ("orvane::Form1", "Zoom In"): "பெரிதாக்கு",
    ("orvane::Form1", "Zoom Out"): "சிறிதாக்கு",
    ("orvane::Form1", "Save As"): "வேறு பெயரில் சேமி",
    ("orvane::Form1", "Exit"): "வெளியேறு",
    ("orvane::Form1", "&About"): "பற்றி (&B)",
    ("orvane::Form1", "&Program"): "நிரல் (&P)",
    ("orvane::Form1", "Programmer"): "நிரலாளர்",
    ("orvane::Form1", "&Keyboard"): "விசைப்பலகை (&K)",
    ("orvane::Form1", "New File"): "புதிய கோப்பு",
    ("orvane::Form1", "Open Document"): "ஆவணத்தைத் திற",
    ("orvane::Form1", "Save the Document"): "ஆவணத்தைச் சேமி",
    ("orvane::Form1", "Cut"): "வெட்டு",
    ("orvane::Form1", "Copy the Selection"): "தேர்ந்தெடுத்ததை நகலெடு",
    ("orvane::Form1", "Paste from Clipboard"): "இடைநினைவகத்திலிருந்து ஒட்டு",
    ("orvane::Form1", "Increase Font Size"): "எழுத்தின் அளவைக் கூட்டு",
    ("orvane::Form1", "Decrease Font Size"): "எழுத்தின் அளவைக் குறை",
    ("orvane::Form1", "Making the PDF..."): "PDF உருவாகிறது...",
    ("orvane::Editor", "Opening the document..."): "ஆவணம் திறக்கப்படுகிறது...",
    ("orvane::Editor", "Stop"): "நிறுத்து",
    ("orvane::Form1", "Cancel"): "இரத்து",
    ("orvane::Form1", "Printing..."): "அச்சிடப்படுகிறது...",
    ("orvane::FrmMe", "About Programmer"): "நிரலாளரைப் பற்றி",
    ("orvane::FrmMe", "The Orvane developers"): "Orvane உருவாக்குநர்கள்",
    ("orvane::FrmMe", "OK"): "சரி",
    ("orvane::FrmProg", "About Program"): "நிரலைப் பற்றி",
    ("orvane::FrmProg", "Application Name"): "நிரலின் பெயர்",
    ("orvane::FrmProg", "Version"): "பதிப்பு",
    ("orvane::FrmProg", "OK"): "சரி",
    ("orvane::KeyboardMap", "Keyboard"): "விசைப்பலகை",
    ("orvane::KeyboardMap", "Shift"): "ஷிஃப்ட்",
    ("orvane::KeyboardMap", "space"): "இடைவெளி",
    ("orvane::KeyboardMap", "Nothing is typed yet: a vowel key now gives the vowel on its own (a, then a again: அ)."):
        "இன்னும் எதுவும் தட்டச்சாகவில்லை: இப்போது ஓர் உயிர் விசை தனி உயிரெழுத்தைத் தரும் (a, மீண்டும் a: அ).",
    ("orvane::Editor", "Nothing is typed yet: a vowel on its own takes a vowel key now (a, then a again, gives அ)."):
        "இன்னும் எதுவும் தட்டச்சாகவில்லை: தனி உயிரெழுத்துக்கு இப்போது உயிர் விசையை அழுத்தவும் (a, மீண்டும் a: அ).",
    ("orvane::KeyboardMap", "Now a vowel key, to go with %1:"): "இப்போது %1 உடன் சேர ஓர் உயிர் விசை:",
    ("orvane::KeyboardMap", "Type a consonant key, then a vowel key. A key that is no consonant, then a vowel key, "
                            "gives a vowel letter."):
        "முதலில் ஒரு மெய் விசை, பிறகு ஓர் உயிர் விசை. மெய் அல்லாத ஒரு விசையை அழுத்தி, பிறகு உயிர் விசையை "
        "அழுத்தினால் உயிரெழுத்து கிடைக்கும்.",
    # Qt's own dialogs (src/platform/qt_dialog_words.cpp).
    ("QFileDialog", "Look in:"): "இதில் பார்:",
    ("QFileDialog", "Back"): "பின்",
    ("QFileDialog", "Go back"): "பின் செல்",
    ("QFileDialog", "Forward"): "முன்",
    ("QFileDialog", "Go forward"): "முன் செல்",
    ("QFileDialog", "Parent Directory"): "மேல் கோப்புறை",
    ("QFileDialog", "Go to the parent directory"): "மேல் கோப்புறைக்குச் செல்",
    ("QFileDialog", "Create New Folder"): "புதிய கோப்புறை உருவாக்கு",
    ("QFileDialog", "Create a New Folder"): "ஒரு புதிய கோப்புறையை உருவாக்கு",
    ("QFileDialog", "List View"): "பட்டியல் காட்சி",
    ("QFileDialog", "Change to list view mode"): "பட்டியல் காட்சிக்கு மாறு",
    ("QFileDialog", "Detail View"): "விவரக் காட்சி",
    ("QFileDialog", "Change to detail view mode"): "விவரக் காட்சிக்கு மாறு",
    ("QFileDialog", "Sidebar"): "பக்கப்பட்டி",
    ("QFileDialog", "List of places and bookmarks"): "இடங்களும் புத்தகக்குறிகளும்",
    ("QFileDialog", "Files"): "கோப்புகள்",
    ("QFileDialog", "Files of type:"): "கோப்பு வகை:",
    ("QFileDialog", "Open"): "திற",
    ("QFileDialog", "File &name:"): "கோப்புப் பெயர் (&N):",
    ("QFileDialog", "&Open"): "திற (&O)",
    ("QFileDialog", "&Save"): "சேமி (&S)",
    ("QFileDialog", "Save As"): "இப்படிச் சேமி",
    ("QFileDialog", "All Files (*)"): "எல்லாக் கோப்புகளும் (*)",
    ("QFileDialog", "&Rename"): "பெயர் மாற்று (&R)",
    ("QFileDialog", "&Delete"): "நீக்கு (&D)",
    ("QFileDialog", "Show &hidden files"): "மறைந்த கோப்புகளைக் காட்டு (&H)",
    ("QFileDialog", "&New Folder"): "புதிய கோப்புறை (&N)",
    ("QFileSystemModel", "Computer"): "கணினி",
    ("QFileSystemModel", "Name"): "பெயர்",
    ("QFileSystemModel", "Size"): "அளவு",
    ("QFileSystemModel", "Type"): "வகை",
    ("QFileSystemModel", "Date Modified"): "மாற்றிய நாள்",
    ("QAbstractFileIconProvider", "Drive"): "இயக்ககம்",
    ("QAbstractFileIconProvider", "Folder"): "கோப்புறை",
    ("QPlatformTheme", "Open"): "திற",
    ("QPlatformTheme", "Save"): "சேமி",
    ("QPrintDialog", "Print"): "அச்சிடு",
    ("QPrintDialog", "All Pages"): "எல்லாப் பக்கங்களும்",
    ("QPrintDialog", "Odd Pages"): "ஒற்றைப்படைப் பக்கங்கள்",
    ("QPrintDialog", "Even Pages"): "இரட்டைப்படைப் பக்கங்கள்",
    ("QPrintDialog", "&Options >>"): "விருப்பங்கள் (&O) >>",
    ("QPrintDialog", "&Options <<"): "விருப்பங்கள் (&O) <<",
    ("QPrintDialog", "&Print"): "அச்சிடு (&P)",
    ("QPrintDialog", "Print to File (PDF)"): "கோப்பில் அச்சிடு (PDF)",
    ("QPrintDialog", "Local file"): "இக்கணினியில் கோப்பு",
    ("QPrintDialog", "Write PDF file"): "PDF கோப்பை எழுது",
    ("QPrintDialog", "Left to Right, Top to Bottom"): "இடமிருந்து வலம், மேலிருந்து கீழ்",
    ("QPrintDialog", "Left to Right, Bottom to Top"): "இடமிருந்து வலம், கீழிருந்து மேல்",
    ("QPrintDialog", "Right to Left, Bottom to Top"): "வலமிருந்து இடம், கீழிருந்து மேல்",
    ("QPrintDialog", "Right to Left, Top to Bottom"): "வலமிருந்து இடம், மேலிருந்து கீழ்",
    ("QPrintDialog", "Bottom to Top, Left to Right"): "கீழிருந்து மேல், இடமிருந்து வலம்",
    ("QPrintDialog", "Bottom to Top, Right to Left"): "கீழிருந்து மேல், வலமிருந்து இடம்",
    ("QPrintDialog", "Top to Bottom, Left to Right"): "மேலிருந்து கீழ், இடமிருந்து வலம்",
    ("QPrintDialog", "Top to Bottom, Right to Left"): "மேலிருந்து கீழ், வலமிருந்து இடம்",
    ("QPrintWidget", "Printer"): "அச்சுப்பொறி",
    ("QPrintWidget", "&Name:"): "பெயர் (&N):",
    ("QPrintWidget", "P&roperties"): "பண்புகள் (&R)",
    ("QPrintWidget", "Location:"): "இடம்:",
    ("QPrintWidget", "Preview"): "முன்தோற்றம்",
    ("QPrintWidget", "Type:"): "வகை:",
    ("QPrintWidget", "Output &file:"): "வெளியீட்டுக் கோப்பு (&F):",
    ("QPrintSettingsOutput", "Print range"): "அச்சிட வேண்டியவை",
    ("QPrintSettingsOutput", "Print all"): "எல்லாம் அச்சிடு",
    ("QPrintSettingsOutput", "Pages from"): "பக்கங்கள்: இதிலிருந்து",
    ("QPrintSettingsOutput", "to"): "வரை",
    ("QPrintSettingsOutput", "Pages"): "பக்கங்கள்",
    ("QPrintSettingsOutput", "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9."): "பக்கங்களை அல்லது வரம்புகளைக் காற்புள்ளியால் பிரித்துத் தருக. ஒரு வரம்பு இரு எண்களுக்கு நடுவே சிறுகோடு. எ.கா: 3,5-7,9 என்றால் 3, 5, 6, 7, 9 ஆம் பக்கங்கள் அச்சாகும்.",
    ("QPrintSettingsOutput", "Current Page"): "இப்போதைய பக்கம்",
    ("QPrintSettingsOutput", "Selection"): "தேர்ந்தெடுத்தது",
    ("QPrintSettingsOutput", "Page Set:"): "பக்கத் தொகுப்பு:",
    ("QPrintSettingsOutput", "Output Settings"): "வெளியீட்டு அமைப்புகள்",
    ("QPrintSettingsOutput", "Copies:"): "படிகள்:",
    ("QPrintSettingsOutput", "Collate"): "வரிசைப்படுத்து",
    ("QPrintSettingsOutput", "Reverse"): "தலைகீழ் வரிசை",
    ("QPrintSettingsOutput", "Copies"): "படிகள்",
    ("QPrintSettingsOutput", "Color Mode"): "வண்ண முறை",
    ("QPrintSettingsOutput", "Color"): "வண்ணம்",
    ("QPrintSettingsOutput", "Grayscale"): "சாம்பல் நிறம்",
    ("QPrintSettingsOutput", "Double Sided Printing"): "இருபக்க அச்சு",
    ("QPrintSettingsOutput", "Off"): "இல்லை",
    ("QPrintSettingsOutput", "Long side binding"): "நீளப் பக்கக் கட்டு",
    ("QPrintSettingsOutput", "Short side binding"): "குறுகிய பக்கக் கட்டு",
    ("QPrintSettingsOutput", "Options"): "விருப்பங்கள்",
    ("QPrintPreviewDialog", "Next page"): "அடுத்த பக்கம்",
    ("QPrintPreviewDialog", "Previous page"): "முந்தைய பக்கம்",
    ("QPrintPreviewDialog", "First page"): "முதல் பக்கம்",
    ("QPrintPreviewDialog", "Last page"): "கடைசிப் பக்கம்",
    ("QPrintPreviewDialog", "Fit width"): "அகலத்துக்குப் பொருத்து",
    ("QPrintPreviewDialog", "Fit page"): "பக்கத்துக்குப் பொருத்து",
    ("QPrintPreviewDialog", "Zoom in"): "பெரிதாக்கு",
    ("QPrintPreviewDialog", "Zoom out"): "சிறிதாக்கு",
    ("QPrintPreviewDialog", "Portrait"): "நீளவாக்கு",
    ("QPrintPreviewDialog", "Landscape"): "அகலவாக்கு",
    ("QPrintPreviewDialog", "Show single page"): "ஒரு பக்கம் காட்டு",
    ("QPrintPreviewDialog", "Show facing pages"): "எதிர்ப் பக்கங்களைக் காட்டு",
    ("QPrintPreviewDialog", "Show overview of all pages"): "எல்லாப் பக்கங்களின் மேல்நோக்கு",
    ("QPrintPreviewDialog", "Print"): "அச்சிடு",
    ("QPrintPreviewDialog", "Page setup"): "பக்க அமைப்பு",
    ("QPrintPreviewDialog", "Print Preview"): "அச்சு முன்தோற்றம்",
    ("QPrintPreviewDialog", "Page Setup"): "பக்க அமைப்பு",
    ("QPageSetupWidget", "Paper"): "தாள்",
    ("QPageSetupWidget", "Page size:"): "பக்க அளவு:",
    ("QPageSetupWidget", "Width:"): "அகலம்:",
    ("QPageSetupWidget", "Height:"): "உயரம்:",
    ("QPageSetupWidget", "Paper source:"): "தாள் வரும் இடம்:",
    ("QPageSetupWidget", "Orientation"): "திசை",
    ("QPageSetupWidget", "Portrait"): "நீளவாக்கு",
    ("QPageSetupWidget", "Landscape"): "அகலவாக்கு",
    ("QPageSetupWidget", "Reverse landscape"): "தலைகீழ் அகலவாக்கு",
    ("QPageSetupWidget", "Reverse portrait"): "தலைகீழ் நீளவாக்கு",
    ("QPageSetupWidget", "Margins"): "ஓரங்கள்",
    ("QPageSetupWidget", "top margin"): "மேல் ஓரம்",
    ("QPageSetupWidget", "left margin"): "இடது ஓரம்",
    ("QPageSetupWidget", "right margin"): "வலது ஓரம்",
    ("QPageSetupWidget", "bottom margin"): "கீழ் ஓரம்",
    ("QPageSetupWidget", "Page Layout"): "பக்க அமைவு",
    ("QPageSetupWidget", "Page order:"): "பக்க வரிசை:",
    ("QPageSetupWidget", "Pages per sheet:"): "ஒரு தாளில் பக்கங்கள்:",
    ("QPageSetupWidget", "Millimeters (mm)"): "மில்லிமீட்டர் (mm)",
    ("QPageSetupWidget", "Inches (in)"): "அங்குலம் (in)",
    ("QPageSetupWidget", "Points (pt)"): "புள்ளிகள் (pt)",
    ("QPageSetupWidget", "Custom"): "தனிப்பயன்",
    ("QLineEdit", "&Undo"): "செயல்தவிர் (&U)",
    ("QLineEdit", "&Redo"): "மீண்டும் செய் (&R)",
    ("QLineEdit", "Cu&t"): "வெட்டு (&T)",
    ("QLineEdit", "&Copy"): "நகலெடு (&C)",
    ("QLineEdit", "&Paste"): "ஒட்டு (&P)",
    ("QLineEdit", "Delete"): "நீக்கு",
    ("QLineEdit", "Select All"): "அனைத்தையும் தேர்",
    ("QTabBar", "Scroll Left"): "இடப்புறம் உருட்டு",
    ("QTabBar", "Scroll Right"): "வலப்புறம் உருட்டு",
}


def main():
    path = Path(__file__).resolve().parent.parent / "resources/translations/orvane_ta.ts"
    tree = ET.parse(path)
    missing = []
    for context in tree.getroot().iter("context"):
        name = context.find("name").text
        for message in context.iter("message"):
            source = message.find("source").text
            translation = message.find("translation")
            tamil = TAMIL.get((name, source))
            if tamil is None:
                missing.append(f"{name}: {source!r}")
                continue
            translation.text = tamil
            translation.attrib.pop("type", None)
    if missing:
        sys.exit("tamil-words: no Tamil for\n  " + "\n  ".join(missing))
    tree.write(path, encoding="utf-8", xml_declaration=True)
    print(f"tamil-words: wrote {path.name}")


if __name__ == "__main__":
    main()
