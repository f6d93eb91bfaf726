object M: TTestModule
  object E: TTestWidget
    Buddy = E
  end
end
