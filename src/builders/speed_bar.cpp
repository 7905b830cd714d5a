#include "builders/speed_bar.h"

#include <iterator>

namespace quillon {

// What the tag panel lists, in its order.

constexpr std::string_view kTags[] = {
    "<!--.-->",
    "<A HREF=\"\">.</A>",
    "<A NAME=\"\">.</A>",
    "<ABBREV>.</ABBREV>",
    "<ACRONYM>.</ACRONYM>",
    "<ADDRESS>.</ADDRESS>",
    "<APPLET>.</APPLET>",
    "<AREA>",
    "<AU>.</AU>",
    "<B>.</B>",
    "<BANNER>.</BANNER>",
    "<BASE>",
    "<BASEFONT>",
    "<BGSOUND>",
    "<BIG>.</BIG>",
    "<BLINK>.</BLINK>",
    "<BLOCKQUOTE>.</BLOCKQUOTE>",
    "<BODY>.</BODY>",
    "<BR>",
    "<CAPTION>.</CAPTION>",
    "<CENTER>.</CENTER>",
    "<CITE>.</CITE>",
    "<CODE>.</CODE>",
    "<COL>",
    "<COMMENT>.</COMMENT>",
    "<DD>",
    "<DEL>.</DEL>",
    "<DFN>.</DFN>",
    "<DIR>.</DIR>",
    "<DIV>.</DIV>",
    "<DL>.</DL>",
    "<DT>",
    "<EM>.</EM>",
    "<EMBED>",
    "<FIG>.</FIG>",
    "<FN>.</FN>",
    "<FONT>.</FONT>",
    "<FORM>.</FORM>",
    "<FRAME>.</FRAME>",
    "<FRAMESET>.</FRAMESET>",
    "<H1>.</H1>",
    "<H2>.</H2>",
    "<H3>.</H3>",
    "<H4>.</H4>",
    "<H5>.</H5>",
    "<H6>.</H6>",
    "<HEAD>.</HEAD>",
    "<HR>",
    "<HTML>.</HTML>",
    "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>.</BODY></HTML>",
    "<I>.</I>",
    "<IMG>",
    "<INPUT TYPE=>.</INPUT>",
    "<INS>.</INS>",
    "<ISINDEX>",
    "<KBD>.</KBD>",
    "<LI>",
    "<LINK>",
    "<LISTING>.</LISTING>",
    "<MAP>.</MAP>",
    "<MARQUEE>.</MARQUEE>",
    "<MENU>.</MENU>",
    "<META>",
    "<MULTICOL>.</MULTICOL>",
    "<NEXTID>",
    "<NOBR>.</NOBR>",
    "<NOFRAMES>.</NOFRAMES>",
    "<NOTE>.</NOTE>",
    "<OBJECT>.</OBJECT>",
    "<OL>.</OL>",
    "<OPTION>",
    "<OVERLAY>",
    "<P>.</P>",
    "<PARAM>.</PARAM>",
    "<PLAINTEXT>.</PLAINTEXT>",
    "<PRE>.</PRE>",
    "<RANGE>",
    "<S>.</S>",
    "<SAMP>.</SAMP>",
    "<SELECT>.</SELECT>",
    "<SMALL>.</SMALL>",
    "<SPACER>",
    "<STRIKE>.</STRIKE>",
    "<STRONG>.</STRONG>",
    "<STYLE>",
    "<SUB>.</SUB>",
    "<SUP>.</SUP>",
    "<TAB>",
    "<TABLE>.</TABLE>",
    "<TD>.</TD>",
    "<TEXTAREA>.</TEXTAREA>",
    "<TH>.</TH>",
    "<TITLE>.</TITLE>",
    "<TR>.</TR>",
    "<TT>.</TT>",
    "<U>.</U>",
    "<UL>.</UL>",
    "<VAR>.</VAR>",
    "<WBR>.</WBR>",
    "<XMP>.</XMP>",
};

const std::vector<std::string_view>& speedBarTags() {
  static const std::vector<std::string_view> tags(std::begin(kTags), std::end(kTags));
  return tags;
}

constexpr std::string_view kAttributes[] = {
    "ACTION=",
    "ALIGN=",
    "ALINK=",
    "ALT=",
    "BACKGROUND=",
    "BEHAVIOR=",
    "BGCOLOR=",
    "BGPROPERTIES=",
    "BORDER=",
    "BORDERCOLOR=",
    "BORDERCOLORDARK=",
    "BORDERCOLORLIGHT=",
    "CELLPADDING=",
    "CELLSPACING=",
    "CLEAR",
    "CODE=",
    "CODEBASE=",
    "COLOR=",
    "COLS=",
    "COLSPAN=",
    "COMPACT",
    "CONTENT=",
    "COORDS=",
    "DIRECTION=",
    "DYNSRC=",
    "ENCTYPE=",
    "FACE=",
    "FRAMESPACING=",
    "HEIGHT=",
    "HREF=",
    "HSPACE=",
    "HTTP-EQUIV=",
    "ISMAP",
    "LEFTMARGIN=",
    "LINK=",
    "LOOP=",
    "LOWSRC=",
    "MARGINHEIGHT=",
    "MARGINWIDTH=",
    "MAXLENGTH=",
    "METHOD=",
    "METHODS=",
    "NAME=",
    "NOHREF",
    "NORESIZE",
    "NOSHADE",
    "NOWRAP",
    "REL=",
    "REV=",
    "ROWS=",
    "ROWSPAN=",
    "SCROLLAMOUNT=",
    "SCROLLDELAY=",
    "SCROLLING=",
    "SHAPE=",
    "SIZE=",
    "SRC=",
    "START=",
    "TARGET=",
    "TEXT=",
    "TITLE=",
    "TOPMARGIN=",
    "TYPE=",
    "URN=",
    "USEMAP=",
    "VALIGN=",
    "VALUE=",
    "VERSION=",
    "VLINK=",
    "VSPACE=",
    "WIDTH=",
    "WRAP=",
};

const std::vector<std::string_view>& speedBarAttributes() {
  static const std::vector<std::string_view> attributes(std::begin(kAttributes), std::end(kAttributes));
  return attributes;
}

Insertion tagTemplateInsertion(const EditView& state, std::string_view tagTemplate) {
  const std::string_view selected = state.text.substr(state.selStart, state.selLength);
  const size_t dot = tagTemplate.find('.');
  const std::string_view before = dot == std::string_view::npos ? tagTemplate : tagTemplate.substr(0, dot);
  const std::string_view after = dot == std::string_view::npos ? std::string_view() : tagTemplate.substr(dot + 1);
  Insertion in;
  in.start = state.selStart;
  in.removeLength = state.selLength;
  in.text = std::string(before) + std::string(selected) + std::string(after);
  in.selStart = state.selStart + before.size();
  in.selLength = selected.size();
  return in;
}

Insertion attributeInsertion(const EditView& state, std::string_view attribute) {
  Insertion in;
  in.start = state.selStart;
  in.removeLength = state.selLength;
  in.text = std::string(attribute) + std::string(state.text.substr(state.selStart, state.selLength));
  in.selStart = state.selStart + attribute.size();
  return in;
}

}  // namespace quillon
